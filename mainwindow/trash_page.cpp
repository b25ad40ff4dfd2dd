#include "mainwindow/trash_page.h"

#include <QApplication>

#include "mainwindow/page_kit.h"

namespace qv {

namespace {

const QString kButtonOff = QStringLiteral("button_off.bmp");
const QString kButtonOn = QStringLiteral("button_on.bmp");

// The page's words and buttons, centred in a column this wide.
constexpr int kColumnLeft = 24;
constexpr int kColumnWidth = 342;
constexpr int kTextTop = 56;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 25;
// The Trash button sits lower than Yes and No, so that a quick second click
// on it never lands on Yes.
constexpr int kTrashTop = 112;
constexpr int kAnswerTop = 84;

QLabel* PageText(QWidget* page, const QString& name, const QString& text) {
    QLabel* label = MakeLabel(page, name, text, UiFont(9));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(kColumnLeft, kTextTop, kColumnWidth, 40);
    return label;
}

}  // namespace

TrashPage::TrashPage(QWidget* parent, PictureCache& pictures) : QWidget(parent) {
    DressPage(this, QStringLiteral("Body_Trash"));
    auto* heading = MakeLabel(this, QStringLiteral("TrashHeading"), QStringLiteral("Trash past results"),
                              UiFont(10, true));
    heading->setGeometry(16, 16, 360, 22);
    SetTextColour(heading, kHeadingColour);

    Trashlbl1 = PageText(this, QStringLiteral("Trashlbl1"),
                         QStringLiteral("Click on the button below if you wish to erase all your past results and "
                                        "reset the program."));
    Trashlbl2 = PageText(this, QStringLiteral("Trashlbl2"), QStringLiteral("Are you sure?"));
    Trashlbl3 = PageText(this, QStringLiteral("Trashlbl3"), QStringLiteral("All your past results have been erased."));
    copyWords_ = PageText(this, QStringLiteral("TrashCopy"), QString());
    copyWords_->setGeometry(kColumnLeft, kAnswerTop, kColumnWidth, 80);

    const int centre = kColumnLeft + kColumnWidth / 2;
    struct Made {
        PictureButton*& button;
        CaptionLabel*& caption;
        const char* name;
        const char* text;
        QPoint at;
    };
    const Made made[] = {
        {ButTrash, ButTrashlbl, "ButTrash", "Trash", {centre - kButtonWidth / 2, kTrashTop}},
        {ButTrash_Yes, ButTrash_Yeslbl, "ButTrash_Yes", "Yes", {centre - kButtonWidth - 8, kAnswerTop}},
        {ButTrash_No, ButTrash_Nolbl, "ButTrash_No", "No", {centre + 8, kAnswerTop}},
    };
    for (const Made& m : made) {
        const QString name = QString::fromLatin1(m.name);
        const QString text = QString::fromLatin1(m.text);
        m.button = new PictureButton(name, pictures, this);
        m.button->SetPicture(kButtonOff);
        m.button->setGeometry(QRect(m.at, QSize(kButtonWidth, kButtonHeight)));
        m.caption = new CaptionLabel(name + QStringLiteral("lbl"), text, m.button);
        m.caption->setFont(TextFont(8.25));
        m.caption->setGeometry(0, 0, kButtonWidth, kButtonHeight);
        m.button->setToolTip(text);
        m.caption->setToolTip(text);
    }
    connect(ButTrash, &PictureButton::clicked, this, [this] {
        if (state_ == TrashState::Offer) ShowState(TrashState::Confirm);
    });
    connect(ButTrash_No, &PictureButton::clicked, this, [this] {
        if (state_ == TrashState::Confirm) ShowState(TrashState::Offer);
    });
    connect(ButTrash_Yes, &PictureButton::clicked, this, [this] {
        if (state_ == TrashState::Confirm) emit eraseConfirmed();
    });
    ShowState(TrashState::Offer);
}

void TrashPage::ShowState(TrashState state) {
    state_ = state;
    const bool offer = state == TrashState::Offer;
    const bool confirm = state == TrashState::Confirm;
    // A button pressed from the keyboard hides itself: the focus goes to the
    // page's next button (No, the safe answer), not out of the page.
    const bool focused = isAncestorOf(QApplication::focusWidget());
    Trashlbl1->setVisible(offer);
    ButTrash->setVisible(offer);
    Trashlbl2->setVisible(confirm);
    ButTrash_Yes->setVisible(confirm);
    ButTrash_No->setVisible(confirm);
    Trashlbl3->setVisible(state == TrashState::Done);
    if (state != TrashState::Done) copyWords_->clear();
    copyWords_->setVisible(state == TrashState::Done && !copyWords_->text().isEmpty());
    if (focused && (offer || confirm)) (confirm ? ButTrash_No : ButTrash)->setFocus(Qt::TabFocusReason);
}

void TrashPage::ShowErased(const QString& copyFolder) {
    ShowState(TrashState::Done);
    if (copyFolder.isEmpty()) return;
    copyWords_->setText(QStringLiteral("A copy of them as they were has been kept in %1.").arg(copyFolder));
    copyWords_->show();
}

void TrashPage::Tick(QPoint cursor) {
    for (PictureButton* button : {ButTrash, ButTrash_Yes, ButTrash_No}) {
        if (button->isVisible()) SetHoverPicture(*button, cursor, kButtonOff, kButtonOn);
        else button->SetPicture(kButtonOff);
    }
}

}  // namespace qv
