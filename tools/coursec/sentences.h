#pragma once

// Sentences in the text of a page as the pupil reads it (markup already
// resolved, gaps filled in).

#include <string>
#include <string_view>
#include <vector>

namespace coursec {

// True when a gap that follows `before` (the paragraph's text up to the gap)
// opens a sentence: at the start of the paragraph, after a full stop, '!' or
// '?', after a speaker's name ("Amara:") and at the start of a quotation
// ("she said, \"..."). After a quoted question or exclamation the gap may be
// the speaker ("\"Who is there?\" asked Tom"), so it is not counted there.
bool GapStartsSentence(std::string_view before);

// The stretches of words of a paragraph that say something: every sentence and
// every quotation, split at sentence ends and quotation marks. The asking
// words of a question (outside quotation marks, in a sentence ending with '?')
// are left out: they are the course's way of asking, repeated on purpose.
// Words keep their spelling; punctuation is dropped; a blank "___" is the word "_".
std::vector<std::vector<std::string>> SayingStretches(std::string_view paragraph);

}  // namespace coursec
