#include "shell/AboutForm.h"

#include "controls/XPGroupBox.h"
#include "editing/EntryEdits.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

// The program's icons are compiled into the static library bwgui; nothing refers to them,
// so they must be registered by name before the first use.
static void InitProgramIcons() {
    Q_INIT_RESOURCE(brindlewocket);
}

namespace bw::gui {

namespace {

QFont LinkFont() {
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(13);
    return font;
}

} // namespace

QString SupportPageAddress() {
    return QStringLiteral("https://brindlewocket.example/support/");
}

QString VersionLabelText() {
    return QStringLiteral("Ver ") + QLatin1String(BW_VERSION);
}

// ---- Link ----------------------------------------------------------------------------------

TLinkLabel::TLinkLabel(const QString& address, QWidget* parent) : QLabel(address, parent) {
    setTextFormat(Qt::PlainText);
    setFont(LinkFont());
    setCursor(Qt::PointingHandCursor);
    SetHot(false);
}

void TLinkLabel::SetHot(bool hot) {
    QFont f = font();
    f.setUnderline(hot);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, hot ? QColor(Qt::red) : QColor(Qt::blue));
    setPalette(p);
}

void TLinkLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    SetHot(true);
}

void TLinkLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    SetHot(false);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    // Whatever the desktop answers is ignored: a failure reports nothing.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        QDesktopServices::openUrl(QUrl(text()));
}

// ---- Dialog --------------------------------------------------------------------------------

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setFixedSize(32, 32);

    ProductName = new QLabel(QStringLiteral("　Brindlewocket"), this);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    ProductName->setFont(LinkFont());
    Version = new QLabel(VersionLabelText(), this);
    Version->setObjectName(QStringLiteral("Version"));
    Version->setFont(LinkFont());
    Version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Version->setMinimumWidth(72);

    Copyright = new QLabel(QStringLiteral("Copyright (C) Brindlewocket Project"), this);
    Copyright->setObjectName(QStringLiteral("Copyright"));
    Copyright->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto* support = new TXPGroupBox(QStringLiteral("Support"), this);
    support->setObjectName(QStringLiteral("SupportGroupBox"));
    SupportURLLabel = new TLinkLabel(SupportPageAddress(), support);
    SupportURLLabel->setObjectName(QStringLiteral("SupportURLLabel"));
    SupportURLLabel->setToolTip(QStringLiteral("一応サポートページ"));
    SupportNoteLabel = new QLabel(QStringLiteral("※サポート期待できず..."), support);
    SupportNoteLabel->setObjectName(QStringLiteral("SupportNoteLabel"));
    SupportNoteLabel->setToolTip(QStringLiteral("いや、一応しますけど．．．"));
    QPalette black = SupportNoteLabel->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    SupportNoteLabel->setPalette(black);
    auto* supportLayout = new QVBoxLayout(support);
    supportLayout->addWidget(SupportURLLabel);
    supportLayout->addWidget(SupportNoteLabel);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* title = new QHBoxLayout;
    title->addWidget(ProgramIcon);
    title->addWidget(ProductName, 1);
    title->addWidget(Version);
    auto* ok = new QHBoxLayout;
    ok->addStretch(1);
    ok->addWidget(OKButton);
    ok->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(title);
    layout->addWidget(Copyright);
    layout->addWidget(support);
    layout->addLayout(ok);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(353);
}

void TAboutBox::showEvent(QShowEvent* event) {
    // The program's icon, taken each time the box is shown.
    InitProgramIcons();
    QPixmap icon(QStringLiteral(":/brindlewocket-32.png"));
    if (icon.isNull()) icon = QApplication::windowIcon().pixmap(32, 32);
    ProgramIcon->setPixmap(icon);
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

void TAboutBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace bw::gui
