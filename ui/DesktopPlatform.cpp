#include "ui/DesktopPlatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace ui {

int DesktopPlatform::messageBox(const QString& prompt, int flags, const QString& title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? programTitle() : title);
    box.setText(prompt);
    switch (flags & 0x70) {
    case mb::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case mb::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case mb::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case mb::Information:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    if ((flags & 0x0F) == mb::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int answer = box.exec();
    if (answer == QMessageBox::Yes)
        return mb::Yes;
    if (answer == QMessageBox::No)
        return mb::No;
    return mb::Ok;
}

QString DesktopPlatform::chooseFolder(QWidget* owner, const QString& prompt, const QString& initialFolder)
{
    // Modal over its owner, folders only; the path comes back in the system's own form
    // ("C:\Films", "C:\" for a drive root), as the user reads it in the folder box.
    return QDir::toNativeSeparators(
            QFileDialog::getExistingDirectory(owner, prompt, initialFolder, QFileDialog::ShowDirsOnly));
}

bool DesktopPlatform::openDocument(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QDateTime DesktopPlatform::now() { return QDateTime::currentDateTime(); }

void DesktopPlatform::processEvents() { QApplication::processEvents(); }

}  // namespace ui
