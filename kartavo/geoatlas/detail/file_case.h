// File names as Windows treats them: registered names and names inside
// calibration files come from systems where letter case does not tell
// files apart, so a name finds its file whatever the case of its letters.
#pragma once

#include <string>

namespace kartavo {

// The name with its ASCII letters in lower case.
std::string LowerFileName(const std::string& Name);

// The spelling under which the file exists: Name itself when it names a
// regular file, else the name whose every part matches an existing entry
// without regard to letter case (the first in sorted order when several
// do). Empty when there is no such file.
std::string ExistingFileSpelling(const std::string& Name);

} // namespace kartavo
