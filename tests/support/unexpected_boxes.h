#pragma once
// A modal window that nothing in the test answers would wait for ctest's timeout. Every test program
// watches for one: a modal window left open longer than the delay fails the test at once, naming
// its caption and text, and is closed so that the test goes on.
namespace lumoria::test {

// Started by the tests' main().
void WatchForUnexpectedBoxes();
// How long a modal window may stay open unanswered; returns the previous delay.
int SetUnexpectedBoxDelay(int milliseconds);

} // namespace lumoria::test
