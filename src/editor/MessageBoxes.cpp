#include "editor/MessageBoxes.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <algorithm>

#include "editor/UiThreadCall.h"

namespace halvex {
namespace {

// Characters on a line of the text below a message: a box with a short message ("Cannot found
// COMM port!") would otherwise be as narrow as that message, and its explanation a tall column.
constexpr int kReadableColumns = 60;

BoxAnswerer& Answerer() {
    static BoxAnswerer answerer;
    return answerer;
}

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

BoxAnswer AnswerWhenNotShown(BoxButtons buttons) {
    switch (buttons) {
        case BoxButtons::YesNo:
            return BoxAnswer::No;
        case BoxButtons::YesNoCancel:
            return BoxAnswer::Cancel;
        case BoxButtons::Ok:
            break;
    }
    return BoxAnswer::Ok;
}

BoxAnswer FromQtButton(int button, BoxButtons buttons) {
    switch (button) {
        case QMessageBox::Yes:
            return BoxAnswer::Yes;
        case QMessageBox::No:
            return BoxAnswer::No;
        case QMessageBox::Cancel:
            return BoxAnswer::Cancel;
        case QMessageBox::Ok:
            return BoxAnswer::Ok;
        default:
            return AnswerWhenNotShown(buttons);
    }
}

// Widens the text below the message to a readable line length (or its own length when shorter).
void WidenDetails(QMessageBox& box, const QString& details) {
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
    if (!label) return;
    const QFontMetrics metrics(label->font());
    label->setMinimumWidth(std::min(metrics.averageCharWidth() * kReadableColumns,
                                    metrics.horizontalAdvance(details)));
}

}  // namespace

void SetBoxAnswerer(BoxAnswerer answerer) { Answerer() = std::move(answerer); }

BoxAnswer ShowBox(QWidget* parent, const BoxRequest& request) {
    if (Answerer()) return Answerer()(request);

    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::Ok;
    if (request.buttons == BoxButtons::YesNo) {
        buttons = QMessageBox::Yes | QMessageBox::No;
        defaultButton = QMessageBox::Yes;
    } else if (request.buttons == BoxButtons::YesNoCancel) {
        buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        defaultButton = QMessageBox::Yes;
    }
    QPointer<QMessageBox> box =
        new QMessageBox(ToQtIcon(request.icon), request.caption, request.text, buttons, parent);
    box->setDefaultButton(defaultButton);
    box->setTextFormat(Qt::PlainText);
    if (!request.details.isEmpty()) {
        box->setInformativeText(request.details);
        WidenDetails(*box, request.details);
    }
    const int result = box->exec();
    delete box;  // the parent may outlive many boxes; a null QPointer is ignored
    return FromQtButton(result, request.buttons);
}

void ShowAppMessage(QWidget* parent, const QString& text, MessageIcon icon) {
    ShowBox(parent, {text, QString::fromLatin1(kAppCaption), BoxButtons::Ok, icon});
}

MessageBoxes::MessageBoxes(QWidget* parent, UiThreadCall& calls)
    : parent_(parent), calls_(calls) {}

BoxAnswer MessageBoxes::Ask(const BoxRequest& request) {
    BoxAnswer answer = AnswerWhenNotShown(request.buttons);
    calls_.Run([&] { answer = ShowBox(parent_, request); });
    return answer;
}

void MessageBoxes::ShowMessage(const std::string& text, const std::string& caption,
                               MessageIcon icon, const std::string& details) {
    Ask({QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())),
         QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())),
         BoxButtons::Ok, icon,
         QString::fromLatin1(details.data(), static_cast<qsizetype>(details.size()))});
}

bool MessageBoxes::AskYesNo(const std::string& text, const std::string& caption) {
    return Ask({QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())),
                QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())),
                BoxButtons::YesNo, MessageIcon::None}) == BoxAnswer::Yes;
}

}  // namespace halvex
