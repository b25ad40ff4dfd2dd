#pragma once

// The answer sheet beside the question page: one row per answer part of the
// question on show, at most twenty. It shows what it is given and hands back
// what was typed; it decides nothing.

#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "course/course_limits.h"
#include "practice/paper_request.h"
#include "practice/sheet_part.h"
#include "practicewindow/answer_fields.h"

class QScrollBar;

namespace qv {

class PictureCache;

// A row's panel. The frame around its answer field is drawn in paintEvent,
// so it survives repainting.
class RowFrame : public QWidget {
public:
    using QWidget::QWidget;
    enum class Border { Normal, Erased };
    void SetBorder(const QRect& around, Border border);
    QRect border() const { return border_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect border_;
    Border style_ = Border::Erased;
};

class AnswerSheet : public QWidget {
    Q_OBJECT

public:
    static constexpr int kRows = kMaxAnswerParts;

    // A second-attempt sheet has a second mark label (SR) on every row.
    AnswerSheet(PictureCache& pictures, Attempt attempt, QWidget* parent);
    ~AnswerSheet() override;

    // Fills the rows of a question and shows the ones it needs.
    void Fill(const std::vector<SheetPart>& parts);
    // The text of the rows in use, as record bytes.
    std::vector<std::string> Answers() const;
    // Marked papers: every field read-only.
    void SetLocked(bool locked);
    void FocusFirstField();
    // Lays the instruction picture at the bottom of the sheet. The scroll bar
    // ends `cornerRoom` pixels above the bottom, clear of the window's size grip.
    void Relayout(int cornerRoom = 0);

    int rowsInUse() const { return rowsInUse_; }
    // The gap between rows, in twips: the second attempt's rows touch when
    // a question has sixteen or more, the first attempt's overlap slightly.
    static int StackGap(int rows, Attempt attempt);

protected:
    void wheelEvent(QWheelEvent* event) override;

signals:
    // The pupil changed a field (for the window's own bookkeeping).
    void edited();
    // Enter in the last field that takes typing: the pupil is done with the question.
    void finished();

private:
    struct Row {
        RowFrame* frame = nullptr;
        QLabel* letter = nullptr;   // QL
        AnswerLine* line = nullptr; // FA
        AnswerBox* box = nullptr;   // FA of a sentence (row 1 only)
        QLabel* result = nullptr;   // FR
        QLabel* second = nullptr;   // SR
        QLineEdit* model = nullptr; // M
        QLabel* spare = nullptr;    // T
        bool tall = false;
    };
    void LayRowOne(bool sentence);
    void Stack();
    void FitScroll();
    void KeepInView(QWidget* field);
    QWidget* Field(const Row& row) const;
    void SetFieldText(Row& row, const QString& text);
    static bool TakesTyping(const Row& row);
    // Enter in row `r`: on to the next field that takes typing.
    void EnterFrom(int r);
    static void ShowReason(Row& row, const QString& reason);

    std::array<Row, kRows> rows_;
    QLabel* PicInstruction = nullptr;
    QScrollBar* scroll_ = nullptr;
    // Kept to be cut in the destructor: hiding the sheet's fields moves the focus
    // while the QWidget part is torn down, after the sheet itself is gone.
    QMetaObject::Connection focusWatch_;
    int rowsInUse_ = 0;
    int cornerRoom_ = 0;
    bool locked_ = false;
    Attempt attempt_ = Attempt::First;
};

// Text for the sheet's mark labels: a tick or a cross glyph.
QString MarkGlyph(const std::string& result);

}  // namespace qv
