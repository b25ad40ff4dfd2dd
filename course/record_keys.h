#pragma once

// What a record file holds, by its keys ("#FSE#", "#101#": the text from
// the '#' that starts a line to the next '#').

#include <string_view>

namespace qv {

// True when some line of `text` starts with a key that starts a line of
// `reference` too (case ignored): a results file in which the program
// finds at least one of the records it keeps there.
bool SharesRecordKeys(std::string_view text, std::string_view reference);

}  // namespace qv
