#include "app/window/window_messages.h"

#include <QMessageBox>
#include <QThread>

#include "app/window/qt_text.h"

namespace lumiglow {
namespace {

void Show(MessageIcon icon, const QString& title, const QString& text) {
  if (icon == MessageIcon::kWarning) {
    QMessageBox::warning(nullptr, title, text);
  } else {
    QMessageBox::critical(nullptr, title, text);
  }
}

}  // namespace

void WindowMessages::ShowMessage(MessageIcon icon, const std::string& title,
                                 const std::string& text) {
  const QString q_title = QtText(title), q_text = QtText(text);
  if (QThread::currentThread() == owner_->thread()) {
    Show(icon, q_title, q_text);
    return;
  }
  QMetaObject::invokeMethod(
      owner_, [icon, q_title, q_text] { Show(icon, q_title, q_text); }, Qt::QueuedConnection);
}

}  // namespace lumiglow
