// The status of the program end a call caused, for code that ends the program (the end mode set to
// throw, as every test program's is), or CallReturned when the call came back.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "platform/core/program.h"

constexpr int CallReturned = 1000;

template <typename F>
int EndStatus(F&& call) {
  try {
    call();
  } catch (const ProgramEnded& ended) {
    return ended.status;
  }
  return CallReturned;
}

// The same, with what the call wrote to standard error.
template <typename F>
int EndStatus(F&& call, std::string& message) {
  ::testing::internal::CaptureStderr();
  const int status = EndStatus(call);
  message = ::testing::internal::GetCapturedStderr();
  return status;
}
