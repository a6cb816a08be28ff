#pragma once
// Ending the program. A request may come before the event loop runs (a failure during start-up),
// when QCoreApplication::quit() would be ignored, so it is also kept as a flag that the main block
// reads after start-up and that modal loops honour.
namespace lumoria::platform {

// Asks the application to end: sets the flag and leaves every running event loop.
void requestTermination();
bool terminationRequested();
// For tests, which go on in the same process after a request.
void clearTerminationRequest();

} // namespace lumoria::platform
