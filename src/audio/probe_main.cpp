// sonaplex-probe: opens and decodes one sound file from outside under limits, for the program
// (see probe.h). Not meant to be started by hand.
#include "audio/probe.h"

int main(int argc, char** argv) { return sonaplex::audio::runProbe(argc, argv); }
