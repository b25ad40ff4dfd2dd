#include "practicewindow/answer_sheet.h"

#include <QApplication>
#include <algorithm>
#include <QPainter>
#include <QScrollBar>
#include <QTextCursor>
#include <QWheelEvent>

#include "practice/marking.h"
#include "ui/record_text.h"
#include "ui/skin.h"
#include "ui/look.h"
#include "ui/units.h"
#include "ui/widget_kit.h"

namespace qv {

namespace {

// Design sizes of a row, in twips.
constexpr int kFrameWidth = 3975;
constexpr int kFrameHeight = 375;
constexpr int kTallFrameHeight = 2100;
constexpr int kFieldLeft = 360;
constexpr int kFieldTop = 40;
constexpr int kFieldWidth = 1575;
constexpr int kFieldHeight = 255;
constexpr int kTallFieldHeight = 1000;
constexpr int kMarkLeft = 2040;
constexpr int kModelLeft = 2400;
constexpr int kModelWidth = 1455;
constexpr int kSheetWidth = 4215;

const QColor kBorderColour(178, 217, 246);
const QColor kCarriedColour(192, 192, 255);

int Px(int twips) { return TwipsToPixels(twips); }

QFont AnswerFont() { return TextFont(9); }
QFont MarkFont() { return UiFont(11, true); }  // has the tick and cross glyphs

// Whether Tab stops at a field; a click still gives it the focus.
void SetTabStop(QWidget* field, bool stops) {
    const int policy = stops ? field->focusPolicy() | Qt::TabFocus : field->focusPolicy() & ~Qt::TabFocus;
    field->setFocusPolicy(static_cast<Qt::FocusPolicy>(policy));
}

// Ticks green, crosses red.
void SetMarkColour(QLabel* label, const std::string& result) {
    SetTextColour(label, result == kTick ? QColor(30, 130, 60) : QColor(200, 40, 40));
}

}  // namespace

QString MarkGlyph(const std::string& result) {
    if (result == kTick) return QStringLiteral("\u2713");
    if (result == kCross) return QStringLiteral("\u2717");
    return QString();
}

void RowFrame::SetBorder(const QRect& around, Border border) {
    if (around == border_ && border == style_) return;  // repainted only when it changes
    border_ = around;
    style_ = border;
    update();
}

void RowFrame::paintEvent(QPaintEvent*) {
    if (style_ != Border::Normal || border_.isNull()) return;
    QPainter painter(this);
    painter.setPen(kBorderColour);
    const int l = border_.left(), t = border_.top(), r = border_.right(), b = border_.bottom();
    painter.drawLine(l, t, r, t);
    painter.drawLine(l, t, l, b);
    painter.drawLine(l, b, r, b);
    painter.drawLine(r, t, r, b);
}

AnswerSheet::AnswerSheet(PictureCache& pictures, Attempt attempt, QWidget* parent)
    : QWidget(parent), attempt_(attempt) {
    setObjectName(QStringLiteral("AnsBox"));
    qv::Fill(this, kStripColour);
    resize(Px(kSheetWidth), 400);

    for (int r = 1; r <= kRows; ++r) {
        Row& row = rows_[r - 1];
        const QString n = QString::number(r);
        row.frame = new RowFrame(this);
        row.frame->setObjectName(QStringLiteral("Frame") + n);
        row.frame->setGeometry((Px(kSheetWidth) - Px(kFrameWidth)) / 2, 0, Px(kFrameWidth), Px(kFrameHeight));
        row.letter = new QLabel(QStringLiteral("(%1)").arg(QChar('a' + r - 1)), row.frame);
        row.letter->setObjectName(QStringLiteral("QL") + n);
        row.letter->setFont(AnswerFont());
        row.letter->setGeometry(Px(30), Px(kFieldTop), Px(285), Px(225));
        row.line = new AnswerLine(row.frame);
        row.line->setObjectName(QStringLiteral("FA") + n);
        row.line->setFont(AnswerFont());
        row.line->setToolTip(QStringLiteral("Enter your answer"));
        connect(row.line, &QLineEdit::textEdited, this, &AnswerSheet::edited);
        row.line->onEnter = [this, r] { EnterFrom(r - 1); };
        row.result = new QLabel(row.frame);
        row.result->setObjectName(QStringLiteral("FR") + n);
        row.result->setFont(MarkFont());
        row.result->hide();
        if (attempt_ == Attempt::Second) {
            row.second = new QLabel(row.frame);
            row.second->setObjectName(QStringLiteral("SR") + n);
            row.second->setFont(MarkFont());
            row.second->hide();
        }
        row.model = new QLineEdit(row.frame);
        row.model->setObjectName(QStringLiteral("M") + n);
        row.model->setFont(AnswerFont());
        row.model->setReadOnly(true);
        row.model->setFrame(false);
        row.model->setToolTip(QStringLiteral("The right answer"));
        QPalette modelColours = row.model->palette();
        modelColours.setColor(QPalette::Text, QColor(30, 130, 60));  // as the ticks
        row.model->setPalette(modelColours);
        row.model->hide();
        row.spare = new QLabel(row.frame);
        row.spare->setObjectName(QStringLiteral("T") + n);
        row.spare->hide();
    }
    Row& first = rows_[0];
    first.box = new AnswerBox(first.frame);
    first.box->setFont(AnswerFont());
    first.box->setToolTip(QStringLiteral("Enter your answer"));
    first.box->hide();
    first.box->onEnter = [this] { EnterFrom(0); };
    // Tab goes from field to field in the order of the rows.
    setTabOrder(first.line, first.box);
    for (int r = 1; r < kRows; ++r) {
        setTabOrder(r == 1 ? static_cast<QWidget*>(first.box) : rows_[r - 1].line, rows_[r].line);
    }
    connect(first.box, &QPlainTextEdit::textChanged, this, [this] {
        if (rows_[0].tall) emit edited();
    });

    PicInstruction = new QLabel(this);
    PicInstruction->setObjectName(QStringLiteral("PicInstruction"));
    PicInstruction->setPixmap(pictures.Get(QStringLiteral("instruction.gif")));
    PicInstruction->adjustSize();
    PicInstruction->hide();

    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->setObjectName(QStringLiteral("AnsScroll"));
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->hide();
    connect(scroll_, &QScrollBar::valueChanged, this, [this] { Stack(); });
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { KeepInView(now); });

    LayRowOne(false);
    for (int r = 1; r < kRows; ++r) {
        Row& row = rows_[r];
        row.line->setGeometry(Px(kFieldLeft), Px(kFieldTop), Px(kFieldWidth), Px(kFieldHeight));
        row.result->setGeometry(Px(kMarkLeft), Px(20), Px(435), Px(315));
        if (row.second) row.second->setGeometry(row.result->geometry());
        row.model->setGeometry(Px(kModelLeft), Px(60), Px(kModelWidth), Px(kFieldHeight));
        row.frame->SetBorder(row.line->geometry().adjusted(-Px(30), -Px(30), Px(15), Px(15)), RowFrame::Border::Normal);
        row.frame->hide();
    }
    rows_[0].frame->hide();
}

AnswerSheet::~AnswerSheet() { disconnect(focusWatch_); }

QWidget* AnswerSheet::Field(const Row& row) const {
    return row.tall ? static_cast<QWidget*>(row.box) : static_cast<QWidget*>(row.line);
}

void AnswerSheet::LayRowOne(bool sentence) {
    Row& row = rows_[0];
    row.tall = sentence;
    const int frameWidth = Px(kFrameWidth);
    if (!sentence) {
        row.frame->resize(frameWidth, Px(kFrameHeight));
        row.line->setGeometry(Px(kFieldLeft), Px(kFieldTop), Px(kFieldWidth), Px(kFieldHeight));
        row.result->setGeometry(Px(kMarkLeft), Px(20), Px(435), Px(315));
        row.model->setGeometry(Px(kModelLeft), Px(60), Px(kModelWidth), Px(kFieldHeight));
    } else {
        row.frame->resize(frameWidth, Px(kTallFrameHeight));
        const int fieldWidth = frameWidth - Px(1000);
        row.box->setGeometry(Px(kFieldLeft), Px(kFieldTop), fieldWidth, Px(kTallFieldHeight));
        row.result->setGeometry(row.box->x() + fieldWidth + Px(100), Px(20), Px(435), Px(315));
        row.model->setGeometry(row.box->x(), row.box->y() + row.box->height() + Px(100), frameWidth - Px(500),
                               Px(kTallFieldHeight));
    }
    if (row.second) row.second->setGeometry(row.result->geometry());
    // Only the field in use carries the row's name.
    row.line->setObjectName(sentence ? QString() : QStringLiteral("FA1"));
    row.box->setObjectName(sentence ? QStringLiteral("FA1") : QString());
    row.line->setVisible(!sentence);
    row.box->setVisible(sentence);
    QWidget* field = Field(row);
    row.frame->SetBorder(field->geometry().adjusted(-Px(30), -Px(30), Px(15), Px(15)), RowFrame::Border::Normal);
}

void AnswerSheet::SetFieldText(Row& row, const QString& text) {
    if (row.tall) {
        const QSignalBlocker quiet(row.box);
        row.box->setPlainText(text);
    } else {
        row.line->setText(text);
    }
}

void AnswerSheet::Fill(const std::vector<SheetPart>& parts) {
    const int n = std::min(static_cast<int>(parts.size()), kRows);
    for (int k = 0; k < n; ++k) {
        const bool instruction = parts[k].needsInstruction;
        PicInstruction->setVisible(instruction);
        if (instruction) break;
    }
    if (n >= 1) LayRowOne(parts[0].sentence);
    for (int r = 0; r < n; ++r) {
        Row& row = rows_[r];
        const SheetPart& part = parts[r];
        row.model->setText(FromRecord(part.key));
        row.result->setText(MarkGlyph(part.result));
        SetMarkColour(row.result, part.result);
        if (row.second) {
            row.second->setText(MarkGlyph(part.secondResult));
            SetMarkColour(row.second, part.secondResult);
        }
        row.line->setMaxLength(part.maxLength > 0 ? part.maxLength : 32767);
        // Each question tells again, once, what its fields cannot take.
        row.line->tip().Forget();
        if (row.box) row.box->tip().Forget();
        SetFieldText(row, FromRecord(part.answer));
        const bool readOnly = locked_ || part.carried;
        row.line->setReadOnly(readOnly);
        if (row.box) row.box->setReadOnly(readOnly);
        // Tab passes a carried answer by while the others are being answered, as Enter
        // does, so that what is typed next goes into a field that takes it; on a marked
        // paper every answer is reached, to be read.
        SetTabStop(row.line, !part.carried || locked_);
        if (row.box) SetTabStop(row.box, !part.carried || locked_);
        // A locked answer is read from its start.
        if (readOnly) {
            row.line->setCursorPosition(0);
            if (row.box) row.box->moveCursor(QTextCursor::Start);
        }
        QWidget* field = Field(row);
        field->setAutoFillBackground(part.carried);
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, part.carried ? kCarriedColour : QColor(Qt::white));
        field->setPalette(palette);
        row.result->setVisible(part.showResult);
        if (row.second) row.second->setVisible(part.showSecondResult);
        row.model->setVisible(part.showModel);
        ShowReason(row, FromRecord(part.reason));
    }
    rowsInUse_ = n;
    if (scroll_->isVisible()) scroll_->setValue(0);
    FitScroll();
    for (int r = 0; r < kRows; ++r) rows_[r].frame->setVisible(r < n);
    rows_[0].letter->setVisible(n >= 2);
}

// A wrong part says why as the row's tooltip, and to a screen reader as the
// description of its field.
void AnswerSheet::ShowReason(Row& row, const QString& reason) {
    const QString fieldTip = reason.isEmpty() ? QStringLiteral("Enter your answer") : reason;
    for (QWidget* field : {static_cast<QWidget*>(row.line), static_cast<QWidget*>(row.box)}) {
        if (!field) continue;
        field->setToolTip(fieldTip);
        field->setAccessibleDescription(reason);
    }
    for (QWidget* piece : {static_cast<QWidget*>(row.frame), static_cast<QWidget*>(row.result),
                           static_cast<QWidget*>(row.second)}) {
        if (!piece) continue;
        piece->setToolTip(reason);
        piece->setAccessibleDescription(reason);
    }
}

void AnswerSheet::Stack() {
    const int gap = StackGap(rowsInUse_, attempt_);
    const int offset = scroll_->isVisible() ? scroll_->value() : 0;
    int top = 50;  // twips
    for (Row& row : rows_) {
        row.frame->move(row.frame->x(), Px(top) - offset);
        top += (row.tall ? kTallFrameHeight : kFrameHeight) + gap;
    }
    const int rowsBottom = rowsInUse_ > 0 ? rows_[rowsInUse_ - 1].frame->geometry().bottom() + 1 + offset : 0;
    const int pictureTop = std::max(height() - PicInstruction->height(), rowsBottom + Px(60));
    PicInstruction->move((width() - PicInstruction->width()) / 2, pictureTop - offset);
}

// Rows that do not fit the sheet's height scroll, with the wheel or the bar
// at the sheet's edge, and the field with the focus is always in view.
void AnswerSheet::FitScroll() {
    const QSignalBlocker quiet(scroll_);
    const int gap = StackGap(rowsInUse_, attempt_);
    int content = Px(50);
    for (int r = 0; r < rowsInUse_; ++r) content += Px((rows_[r].tall ? kTallFrameHeight : kFrameHeight) + gap);
    if (PicInstruction->isVisibleTo(this)) content += PicInstruction->height() + Px(60);
    const int hidden = std::max(0, content - height());
    scroll_->setRange(0, hidden);
    scroll_->setPageStep(std::max(1, height()));
    scroll_->setSingleStep(Px(kFrameHeight));
    scroll_->setGeometry(width() - Px(120), 0, Px(120), height() - cornerRoom_);
    scroll_->setVisible(hidden > 0);
    scroll_->raise();
    Stack();
}

void AnswerSheet::KeepInView(QWidget* field) {
    if (!field || !isAncestorOf(field) || !scroll_->isVisible()) return;
    const QRect place(field->mapTo(this, QPoint(0, 0)), field->size());
    int value = scroll_->value();
    if (place.bottom() + Px(60) > height()) value += place.bottom() + Px(60) - height();
    if (place.top() - Px(60) < 0) value += place.top() - Px(60);
    scroll_->setValue(value);
}

void AnswerSheet::wheelEvent(QWheelEvent* event) {
    if (!scroll_->isVisible()) return QWidget::wheelEvent(event);
    QApplication::sendEvent(scroll_, event);
}

int AnswerSheet::StackGap(int rows, Attempt attempt) {
    if (rows < 16) return 105;
    return attempt == Attempt::Second ? 0 : -10;
}

std::vector<std::string> AnswerSheet::Answers() const {
    std::vector<std::string> answers;
    for (int r = 0; r < rowsInUse_; ++r) {
        const Row& row = rows_[r];
        answers.push_back(ToRecord(row.tall ? row.box->toPlainText() : row.line->text()));
    }
    return answers;
}

void AnswerSheet::SetLocked(bool locked) {
    locked_ = locked;
    for (Row& row : rows_) {
        row.line->setReadOnly(locked || row.line->isReadOnly());
        if (row.box) row.box->setReadOnly(locked || row.box->isReadOnly());
    }
}

bool AnswerSheet::TakesTyping(const Row& row) {
    return row.tall ? !row.box->isReadOnly() : !row.line->isReadOnly();
}

void AnswerSheet::EnterFrom(int r) {
    for (int k = r + 1; k < rowsInUse_; ++k) {
        if (TakesTyping(rows_[k])) {
            Field(rows_[k])->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    emit finished();
}

void AnswerSheet::FocusFirstField() {
    // The first field that takes typing; on a marked paper, the first field.
    for (int r = 0; r < rowsInUse_; ++r) {
        if (TakesTyping(rows_[r])) {
            Field(rows_[r])->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    if (rowsInUse_ >= 1) Field(rows_[0])->setFocus(Qt::OtherFocusReason);
}

void AnswerSheet::Relayout(int cornerRoom) {
    cornerRoom_ = std::clamp(cornerRoom, 0, height() / 2);
    FitScroll();
}

}  // namespace qv
