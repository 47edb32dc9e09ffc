#include "support/TestProgram.h"

#include "app/Connection.h"
#include "app/ProgramFolder.h"
#include "store/Catalogue.h"
#include "store/Dialect.h"
#include "store/Recordset.h"
#include "ui/Form.h"
#include "ui/ScriptedPlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

namespace testing {

Film film(int code, const QString& nom, std::initializer_list<std::pair<QString Film::*, QString>> columns)
{
    Film result;
    result.code = code;
    result.nom = nom;
    for (const auto& [column, value] : columns)
        result.*column = value;
    return result;
}

TestProgram::TestProgram(bool withCatalogue) : platform_(std::make_unique<ui::ScriptedPlatform>())
{
    QDir(dir_.path()).mkpath(QStringLiteral("BD"));
    if (withCatalogue)
        store::createCatalogue(path(QStringLiteral("BD/Film.mdb")));
    QFile::copy(QStringLiteral(CINABREL_DEFAULT_LISTS), path(QStringLiteral("BD/codec.cnb")));
    QFile::setPermissions(path(QStringLiteral("BD/codec.cnb")), QFile::ReadOwner | QFile::WriteOwner);
    app::setProgramFolder(dir_.path());
    ui::forms::setOnLastUnload([this] { ended_ = true; });
}

TestProgram::~TestProgram()
{
    stopProgram();
    db_.reset();
    ui::forms::setOnLastUnload([] { QCoreApplication::quit(); });
    app::setProgramFolder(QString());
}

QString TestProgram::path(const QString& relative) const { return QDir(dir_.path()).filePath(relative); }

store::Database& TestProgram::db()
{
    if (!db_)
        db_ = store::Database::open(path(QStringLiteral("BD/Film.mdb")));
    return *db_;
}

void TestProgram::insert(const Film& film)
{
    // Joined, not put in with arg(): a value may itself hold "%1".
    auto optional = [](const std::optional<QString>& v) {
        return v ? store::quotedText(*v) : QStringLiteral("NULL");
    };
    QStringList values {QString::number(film.code)};
    for (const QString& v :
         {film.nom, film.type, film.cd, film.qualite, film.format, film.obs, film.langue, film.codecVideo,
          film.codecSon, film.duree, film.realisateur, film.acteur, film.annee})
        values.append(store::quotedText(v));
    values << optional(film.pret) << optional(film.datePret);
    db().execute(QStringLiteral("INSERT INTO film VALUES (") + values.join(u',') + u')');
}

QString TestProgram::value(const QString& statement)
{
    store::Recordset rs;
    rs.open(statement, db());
    return rs.eof() ? QString() : rs.text(0);
}

bool TestProgram::isNull(const QString& statement)
{
    store::Recordset rs;
    rs.open(statement, db());
    return rs.eof() || rs.isNull(0);
}

int TestProgram::count(const QString& where)
{
    return value(QStringLiteral("SELECT COUNT(*) FROM film ")
                 + (where.isEmpty() ? QString() : QStringLiteral("WHERE ") + where))
            .toInt();
}

QString TestProgram::column(const QString& name, int code)
{
    const QString statement = QStringLiteral("SELECT %1 FROM film WHERE code_film=%2").arg(name).arg(code);
    return isNull(statement) ? QStringLiteral("NULL") : value(statement);
}

QStringList TestProgram::films()
{
    store::Recordset rs;
    rs.open(QStringLiteral("SELECT code_film, nom_film FROM film ORDER BY code_film"), db());
    QStringList result;
    for (; !rs.eof(); rs.moveNext())
        result.append(rs.text(0) + u' ' + rs.text(1));
    return result;
}

QStringList TestProgram::messages() const
{
    QStringList result;
    for (const auto& message : platform_->messages)
        result.append(QStringLiteral("%1|%2|%3").arg(message.flags).arg(message.title, message.prompt));
    return result;
}

bool startProgram() { return Connection::Main(); }

void stopProgram()
{
    // Unloading a window may show the main window again, which loads it anew.
    while (ui::forms::loadedCount() > 0)
        ui::forms::unloadAll();
    Connection::reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace testing
