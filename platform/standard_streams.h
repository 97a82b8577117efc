#pragma once

namespace platform {

// Makes the standard streams safe to write to, first thing in main, before
// anything opens a file or a connection. A stream the program was started
// without (`2>&-`) is opened on the null device: otherwise the next file or
// the display connection would take its number, and a warning written to
// standard error would go into it, which can hang the program for good. A
// write to a stream whose reader has gone fails instead of ending the
// program, so that an error at start-up still reaches the learner's screen.
void SecureStandardStreams();

} // namespace platform
