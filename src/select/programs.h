// The program file name of each process met in this run, read once per process with the least
// access that reads it. The process stays open while its entry lives, so that the system gives its
// id to no new process meanwhile. The first kProgramCap processes are remembered; past that a name
// is read again each time.
#pragma once

const int kProgramCap = 4096;
const int kProgramNameCap = 256; // the longest file name, and its terminator

// The file name (no folder) of the image of process `pid`, valid until the next call; nullptr when
// it cannot be read (the process is protected or gone).
const char16_t* ProgramOf(unsigned pid);
