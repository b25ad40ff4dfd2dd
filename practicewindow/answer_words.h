#pragma once

// What a screen reader hears of the answer sheet: each field is named by
// the part it answers ("answer (c)"), and once marked its description says
// whether it is right and, where the sheet shows it, the right answer.

#include <QString>
#include <vector>

#include "practicewindow/answer_sheet.h"

namespace qv {

// Row `row` (1-based) of a question with `rows` parts: "answer (c)", or
// "answer" alone for a question of one part.
QString AnswerFieldName(int row, int rows);
// "Right.", "Right the first time." (a part carried over) or "Wrong." and
// why, then "The right answer is ..." where the model answer shows; empty
// text while the part shows no mark.
QString AnswerFieldDescription(const SheetPart& part);
// Names and describes the fields of the rows in use.
void DescribeAnswerFields(QWidget& sheet, const std::vector<SheetPart>& parts);

}  // namespace qv
