#include "FormAbout.h"

#include "FormMain.h"
#include "Utils.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QIcon>
#include <QVBoxLayout>
#include <exception>

namespace shell {

namespace {

const char* const LegalNotice =
    "Warning: this computer program is protected by copyright law and international "
    "treaties. Unauthorised reproduction or distribution of this program, or any portion "
    "of it, may result in severe civil and criminal penalties, and will be prosecuted to "
    "the maximum extent possible under the law.";

const char* const RightsLine = "Copyright (c) Orvanel. All rights reserved.";

QString Link(const QString& target, const QString& text)
{
    // Blue underlined text; the label shows a hand cursor over it.
    return QString("<a href=\"%1\" style=\"color:#0000ff; text-decoration:underline\">%2</a>")
        .arg(target.toHtmlEscaped(), text.toHtmlEscaped());
}

} // namespace

TfrmAbout::TfrmAbout(const QString& programName, QWidget* parent) : QDialog(parent)
{
    setObjectName("frmAbout");
    setWindowTitle("About");
    setMinimumSize(369, 331);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* logo = new QLabel(this);
    logo->setObjectName("imgLogo");
    logo->setPixmap(QIcon(":/shell/icons/" + programName.toLower() + ".svg").pixmap(64, 64));
    logo->setFixedSize(64, 64);

    auto* name = new QLabel(programName, this);
    name->setObjectName("lblProgram");
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.6);
    name->setFont(bold);

    auto* version = new QLabel("Version 9.1.0.1", this);
    version->setObjectName("lblVersion");

    auto* webCaption = new QLabel("Web Site:", this);
    auto* web = new QLabel(Link(MakerWebSite, MakerWebSite), this);
    web->setObjectName("lblWebSite");
    auto* mailCaption = new QLabel("e-Mail:", this);
    auto* mail = new QLabel(Link(QString("mailto:") + MakerMail, MakerMail), this);
    mail->setObjectName("lblMail");
    for (QLabel* l : {web, mail}) {
        l->setTextFormat(Qt::RichText);
        l->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
        l->setOpenExternalLinks(false);
        l->setCursor(Qt::PointingHandCursor);
        connect(l, &QLabel::linkActivated, this, &TfrmAbout::LinkActivated);
    }

    auto* notice = new QPlainTextEdit(LegalNotice, this);
    notice->setObjectName("memNotice");
    notice->setReadOnly(true);
    notice->setFrameShape(QFrame::Box);
    notice->setFocusPolicy(Qt::NoFocus);
    notice->setBackgroundRole(QPalette::Window);
    notice->viewport()->setBackgroundRole(QPalette::Window);

    auto* rights = new QLabel(RightsLine, this);
    rights->setObjectName("lblRights");

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("&OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("btnOK");
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    // Escape closes through reject(): the OK button is also the cancel button.

    auto* head = new QGridLayout;
    head->addWidget(logo, 0, 0, 2, 1, Qt::AlignTop);
    head->addWidget(name, 0, 1);
    head->addWidget(version, 1, 1, Qt::AlignTop);
    head->setColumnStretch(1, 1);
    head->setHorizontalSpacing(16);

    auto* links = new QGridLayout;
    links->addWidget(webCaption, 0, 0);
    links->addWidget(web, 0, 1);
    links->addWidget(mailCaption, 1, 0);
    links->addWidget(mail, 1, 1);
    links->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addSpacing(8);
    layout->addLayout(links);
    layout->addWidget(notice, 1);
    layout->addWidget(rights);
    layout->addWidget(buttons);

    resize(minimumSize());
    if (parent) {
        // Centred on the main window.
        QRect p = parent->frameGeometry();
        move(p.center() - QPoint(width() / 2, height() / 2));
    }
}

void TfrmAbout::LinkActivated(const QString& link)
{
    try {
        ShellOpen(link.toStdString());
    } catch (const std::exception& e) {
        ShowApplicationError(e.what());
    }
}

} // namespace shell
