#pragma once
// libmpv is loaded when the program first needs it rather than when the process starts: with the
// codecs it brings it is most of the program's start-up time, and the panel need not wait for it.
namespace MpvLibrary {

// Starts loading the library on a thread of its own; the first call into it waits for that load.
void preload();

}  // namespace MpvLibrary
