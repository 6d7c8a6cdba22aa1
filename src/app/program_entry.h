// The program's entry: records where it was started from, picks the help file, makes C: current and
// runs the application.
#pragma once

int ProgramEntry(int argc, char** argv);
