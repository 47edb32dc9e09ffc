#pragma once

#include "ui/Platform.h"

namespace ui {

class DesktopPlatform : public Platform {
public:
    Answer messageBox(const QString& prompt, Buttons buttons, Icon icon, const QString& title) override;
    QString chooseFolder(QWidget* owner, const QString& prompt, const QString& initialFolder) override;
    QString chooseFile(QWidget* owner, const QString& prompt, const QString& initialFolder,
                       const QString& filter) override;
    bool openDocument(const QString& path) override;
    QDateTime now() override;
    void processEvents() override;
};

}  // namespace ui
