// The page around the game: what the page's script may ask of a running game (close it as its
// window's close button would, or save at once because the page is being left) and what the game
// tells the page (that it has ended, with its exit status).
#pragma once

// Tells the page's script the game has ended with status. The program calls it, which also links
// in the page's requests below it.
void TellPageGameEnded(int status);
