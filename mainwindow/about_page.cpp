#include "mainwindow/about_page.h"

#include "mainwindow/page_kit.h"

namespace qv {

namespace {

// Everything is centred in a column this wide.
constexpr int kColumnLeft = 16;
constexpr int kColumnWidth = 358;

QLabel* CentredLine(QWidget* page, const QString& name, const QString& text, const QFont& font, int top,
                    int height) {
    QLabel* label = MakeLabel(page, name, text, font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    label->setGeometry(kColumnLeft, top, kColumnWidth, height);
    return label;
}

// The link's blue, as the desktop shows links.
const QColor kLinkColour(0, 0, 204);

}  // namespace

QString PlatformLine() {
#if defined(Q_OS_WIN)
    return QStringLiteral("For Windows");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("For macOS");
#elif defined(Q_OS_LINUX)
    return QStringLiteral("For Linux");
#else
    return QStringLiteral("For Unix");
#endif
}

AboutPage::AboutPage(QWidget* parent, PictureCache& pictures) : QWidget(parent) {
    DressPage(this, QStringLiteral("Body_About"));
    PictureLabel(this, QStringLiteral("Logo"), pictures.Get(QStringLiteral("Logo.gif")),
                 {kColumnLeft + (kColumnWidth - 150) / 2, 48, 150, 60});
    ProgramName = CentredLine(this, QStringLiteral("ProgramName"), QString(), UiFont(11, true), 128, 24);
    SetTextColour(ProgramName, kHeadingColour);
    Label36 = CentredLine(this, QStringLiteral("Label36"), PlatformLine(), UiFont(9), 160, 18);
    Label39 = CentredLine(this, QStringLiteral("Label39"), QStringLiteral("Version 2.0"), UiFont(9), 180, 18);

    lbl_QVURL = new ClickableLabel(MakerPageAddress().section(QLatin1Char('/'), 0, 0), this);
    lbl_QVURL->setObjectName(QStringLiteral("lbl_QVURL"));
    QFont link = UiFont(9);
    link.setUnderline(true);
    lbl_QVURL->setFont(link);
    SetTextColour(lbl_QVURL, kLinkColour);
    lbl_QVURL->setToolTip(QStringLiteral("Go to Quorvale home page"));
    const QPixmap& hand = pictures.Get(QStringLiteral("hand.ico"));
    lbl_QVURL->setCursor(hand.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(hand, hand.width() / 3, 0));
    // Only the words take the click.
    lbl_QVURL->adjustSize();
    lbl_QVURL->move(kColumnLeft + (kColumnWidth - lbl_QVURL->width()) / 2, 216);
    connect(lbl_QVURL, &ClickableLabel::clicked, this, [this] { link_.OpenWebPage(window()); });
}

}  // namespace qv
