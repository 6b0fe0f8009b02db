// Checks that an action raises one exception class with one exact message.
#pragma once

#include <gtest/gtest.h>

#include <string>

template <typename TException, typename TAction>
void ExpectRaises(const std::string& Message, TAction&& Action) {
  try {
    Action();
    ADD_FAILURE() << "nothing was raised; expected \"" << Message << "\"";
  } catch (const TException& Error) {
    EXPECT_EQ(Message, std::string(Error.what()));
  }
}
