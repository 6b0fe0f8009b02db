// Random walks through the options dialog: a scenario made from a seed, the
// same on every system, so that a walk played on both front ends shows
// where they differ; and the comparison of two transcripts of one walk.
#pragma once

#include <string>

// The scenario's text for Seed: a start (random page, with or without a
// device, with or without the advanced options) and 20 to 40 steps of every
// kind the scenario language has, texts typed drawn from valid, refused and
// edge numbers.
std::string RandomWalk(unsigned Seed);

// The first step at which two transcripts of one walk differ, beyond the
// differences every system is allowed (each platform convention the
// comparison knows, with its reason), told with both systems' lines; empty
// when they agree.
std::string FirstDifference(const std::string& Linux, const std::string& Windows);
