#include "ui/DesktopPlatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace ui {

Answer DesktopPlatform::messageBox(const QString& prompt, Buttons buttons, Icon icon, const QString& title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(prompt);
    switch (icon) {
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Ok;
    }
}

QString DesktopPlatform::chooseFolder(QWidget* owner, const QString& prompt, const QString& initialFolder)
{
    // Modal over its owner, folders only; the path comes back in the system's own form
    // ("C:\Films", "C:\" for a drive root), as the user reads it in the folder box.
    return QDir::toNativeSeparators(
            QFileDialog::getExistingDirectory(owner, prompt, initialFolder, QFileDialog::ShowDirsOnly));
}

QString DesktopPlatform::chooseFile(QWidget* owner, const QString& prompt, const QString& initialFolder,
                                    const QString& filter)
{
    // Modal over its owner; the file must exist.
    return QFileDialog::getOpenFileName(owner, prompt, initialFolder, filter);
}

bool DesktopPlatform::openDocument(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QDateTime DesktopPlatform::now() { return QDateTime::currentDateTime(); }

void DesktopPlatform::processEvents() { QApplication::processEvents(); }

}  // namespace ui
