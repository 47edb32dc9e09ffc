#pragma once

#include "store/Database.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <initializer_list>
#include <memory>
#include <optional>
#include <utility>

namespace ui {
class ScriptedPlatform;
}

namespace testing {

// One film for the test catalogue; every column has a plausible value unless set.
struct Film {
    int code = 0;
    QString nom = QStringLiteral("Film");
    QString type = QStringLiteral("Action");
    QString cd = QStringLiteral("1");
    QString qualite = QStringLiteral("Bonne");
    QString format = QStringLiteral("Avi");
    QString obs = QStringLiteral("-");
    QString langue = QStringLiteral("Français");
    QString codecVideo = QStringLiteral("DivX");
    QString codecSon = QStringLiteral("MP3");
    QString duree = QStringLiteral("01h30");
    QString realisateur = QStringLiteral("-");
    QString acteur = QStringLiteral("-");
    QString annee = QStringLiteral("2000");
    std::optional<QString> pret = std::nullopt;
    std::optional<QString> datePret = std::nullopt;
};

// A film with its key and title; the listed columns are set, the others keep their values above.
Film film(int code, const QString& nom = QStringLiteral("Film"),
          std::initializer_list<std::pair<QString Film::*, QString>> columns = {});

// A temporary program folder with BD/Film.mdb (empty) and the default BD/codec.cnb, made the
// program's folder for the test's lifetime, with a scripted platform installed.
class TestProgram {
public:
    explicit TestProgram(bool withCatalogue = true);
    ~TestProgram();

    QString folder() const { return dir_.path(); }
    QString path(const QString& relative) const;
    ui::ScriptedPlatform& platform() { return *platform_; }

    // A connection of the test's own to the catalogue file.
    store::Database& db();
    void insert(const Film& film);
    // The one value of a query, as text ("" for NULL); the second form tells NULL apart.
    QString value(const QString& statement);
    bool isNull(const QString& statement);
    int count(const QString& where = QString());
    // One column of one film, "NULL" for NULL.
    QString column(const QString& name, int code);
    // The catalogue as "key title", in key order.
    QStringList films();
    // Every message shown, as "flags|title|prompt".
    QStringList messages() const;

    // True once the last loaded window was unloaded.
    bool programEnded() const { return ended_; }

private:
    QTemporaryDir dir_;
    std::unique_ptr<ui::ScriptedPlatform> platform_;
    std::unique_ptr<store::Database> db_;
    bool ended_ = false;
};

// Starts the program the way main() does; returns Main's result.
bool startProgram();
// Unloads every window and forgets the shared state.
void stopProgram();

}  // namespace testing
