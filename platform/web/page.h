// The page around the game: what the page's script may ask of a running game (close it as its
// window's close button would, or save at once because the page is being left) and what the game
// tells the page (that it has ended, with its exit status).
#pragma once

// Before the game starts: key waits sleep until the page sees an event.
void ServePage();
// Tells the page's script the game has ended with status.
void TellPageGameEnded(int status);
