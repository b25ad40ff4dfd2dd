#include "practicewindow/answer_words.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include "practice/marking.h"
#include "ui/record_text.h"

namespace qv {

QString AnswerFieldName(int row, int rows) {
    if (rows <= 1) return QStringLiteral("answer");
    return QStringLiteral("answer (%1)").arg(QChar(u'a' + row - 1));
}

QString AnswerFieldDescription(const SheetPart& part) {
    const std::string& mark = part.showSecondResult ? part.secondResult : part.showResult ? part.result : std::string();
    QStringList words;
    if (mark == kTick) {
        words << (part.carried && !part.showSecondResult ? QStringLiteral("Right the first time.")
                                                         : QStringLiteral("Right."));
    } else if (mark == kCross) {
        words << QStringLiteral("Wrong.");
        // Why, where the sheet says it.
        if (!part.reason.empty()) words << FromRecord(part.reason);
    }
    // The right answer, unless the reason names it already.
    const bool named = !part.reason.empty() && part.reason.find(part.key) != std::string::npos;
    if (part.showModel && !part.key.empty() && !named) {
        words << QStringLiteral("The right answer is %1.").arg(FromRecord(part.key));
    }
    return words.join(QLatin1Char(' '));
}

void DescribeAnswerFields(QWidget& sheet, const std::vector<SheetPart>& parts) {
    const int rows = static_cast<int>(parts.size());
    for (int r = 1; r <= rows; ++r) {
        QWidget* frame = sheet.findChild<QWidget*>(QStringLiteral("Frame%1").arg(r));
        if (!frame) continue;
        const QString name = AnswerFieldName(r, rows);
        const QString description = AnswerFieldDescription(parts[static_cast<std::size_t>(r - 1)]);
        const QString model = QStringLiteral("M%1").arg(r);
        for (QWidget* field : frame->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!qobject_cast<QLineEdit*>(field) && !qobject_cast<QPlainTextEdit*>(field)) continue;
            if (field->objectName() == model) {
                field->setAccessibleName(QStringLiteral("right ") + name);
                continue;
            }
            field->setAccessibleName(name);
            field->setAccessibleDescription(description);
        }
    }
}

}  // namespace qv
