// Desktop files that never show half-written: the content goes into a
// temporary file beside the target, which takes the target's place only
// once complete, and is removed otherwise.
#pragma once

#include <string>

// A name for a temporary file in Target's folder, chosen at random so that
// it never meets a file of someone else's; as short whatever Target's name.
std::string TemporaryNameBeside(const std::string& Target);

// Puts the complete Temporary in Target's place, its content and name on the
// disk when this returns; an existing Target is replaced only when
// ReplaceExisting. On failure Temporary is removed and Target stays as it
// was.
bool PutTemporaryInPlace(const std::string& Temporary, const std::string& Target,
                         bool ReplaceExisting);
