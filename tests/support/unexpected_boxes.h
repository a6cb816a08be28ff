#pragma once
class QWidget;

// A modal window that nothing in the test answers would wait for ctest's timeout. Every test program
// watches for one: a modal window left open longer than the delay fails the test at once, naming
// its caption and text, and is closed so that the test goes on.
namespace lumoria::test {

// Started by the tests' main().
void WatchForUnexpectedBoxes();
// How long a modal window may stay open unanswered; returns the previous delay.
int SetUnexpectedBoxDelay(int milliseconds);

// Marks a modal window as being answered by the test (which may take its time typing into it), so
// the watch leaves it alone however long it stays.
void MarkAnswered(QWidget* modal);

} // namespace lumoria::test
