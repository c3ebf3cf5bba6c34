#pragma once

// The whole program, from the command line to its exit status.
int runProgram(int argc, char** argv);
