#pragma once

// The CD screens with a MusicBrainz server of their own: a local HTTP
// server on 127.0.0.1 named in the settings, answers shaped as the real
// server gives them, the answers' cache in a folder of the test. Nothing
// here reaches the internet.

#include "CdFixture.h"
#include "LocalHttpServer.h"
#include "cds/CdAudio.h"
#include "cds/CdTitleForm.h"
#include "cds/MusicBrainzDialogs.h"
#include "cds/NewCdTitle.h"
#include "cds/TrackCountDialog.h"
#include "cds/TrackModel.h"
#include "lookup/MusicBrainzClient.h"
#include "system/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace velmora::test {

// Three tracks: 3:59.74, 4:07 and 0:31; the disc gives whole seconds cut.
inline const std::vector<int> kAlbum = {frames(3, 59, 74), frames(4, 7), frames(0, 31)};
inline const QStringList kAsRead = {"1 Stopa 1 03:59 ", "2 Stopa 2 04:07 ", "3 Stopa 3 00:31 "};

// The disc ID as MusicBrainz publishes its computation: SHA-1 over the
// first and last track numbers (two hex digits each), the lead-out and 99
// track addresses (eight hex digits each, 0 for none), in base64 with
// ".", "_" and "-" for "+", "/" and "=". Addresses count the 150 frames
// before the first track.
inline QString publishedDiscId(const std::vector<int> &trackFrames)
{
    QByteArray text =
        QByteArray("01") +
        QByteArray::number(int(trackFrames.size()), 16).toUpper().rightJustified(2, '0');
    std::vector<int> starts;
    int at = 150;
    for (int f : trackFrames) {
        starts.push_back(at);
        at += f;
    }
    text += QByteArray::number(at, 16).toUpper().rightJustified(8, '0');
    for (int i = 0; i < 99; ++i)
        text += QByteArray::number(i < int(starts.size()) ? starts[size_t(i)] : 0, 16)
                    .toUpper()
                    .rightJustified(8, '0');
    QByteArray id = QCryptographicHash::hash(text, QCryptographicHash::Sha1).toBase64();
    id.replace('+', '.').replace('/', '_').replace('=', '-');
    return QString::fromLatin1(id);
}

// An artist credit: names with the join phrases between them.
inline QJsonArray credit(const QStringList &namesAndJoins)
{
    QJsonArray out;
    for (int i = 0; i < namesAndJoins.size(); i += 2)
        out.append(QJsonObject{
            {"name", namesAndJoins[i]},
            {"joinphrase", i + 1 < namesAndJoins.size() ? namesAndJoins[i + 1] : QString()},
            {"artist", QJsonObject{{"name", namesAndJoins[i]}}}});
    return out;
}

struct MbTrack
{
    QString title;
    int lengthMs = 0;
    QStringList artist; // names and join phrases; empty: the release's
};

inline QJsonObject medium(int position, const QStringList &discIds,
                          const std::vector<MbTrack> &tracks, const QStringList &releaseArtist)
{
    QJsonArray discs;
    for (const QString &id : discIds)
        discs.append(QJsonObject{{"id", id}, {"sectors", 200000}});
    QJsonArray list;
    int n = 0;
    for (const MbTrack &t : tracks) {
        ++n;
        const QJsonArray who = credit(t.artist.isEmpty() ? releaseArtist : t.artist);
        QJsonObject track{{"position", n},
                          {"number", QString::number(n)},
                          {"title", t.title},
                          {"artist-credit", who},
                          {"recording", QJsonObject{{"title", t.title}, {"artist-credit", who}}}};
        if (t.lengthMs > 0) {
            track.insert("length", t.lengthMs);
            track["recording"] =
                QJsonObject{{"title", t.title}, {"length", t.lengthMs}, {"artist-credit", who}};
        }
        list.append(track);
    }
    return QJsonObject{{"position", position},
                       {"format", "CD"},
                       {"discs", discs},
                       {"track-count", int(tracks.size())},
                       {"tracks", list}};
}

inline QJsonObject release(const QString &id, const QString &title, const QStringList &artist,
                           const QString &date, const QString &country, const QJsonArray &media)
{
    return QJsonObject{{"id", id},      {"title", title},     {"status", "Official"},
                       {"date", date},  {"country", country}, {"artist-credit", credit(artist)},
                       {"media", media}};
}

inline QByteArray discAnswer(const QString &discId, const QJsonArray &releases)
{
    return QJsonDocument(QJsonObject{{"id", discId}, {"releases", releases}})
        .toJson(QJsonDocument::Compact);
}

// What the user does in the track-count dialog: reads the disc image with
// the lookup box as given.
inline ScriptedAnswerer::ScreenAction readImage(bool lookUp)
{
    return [lookUp](QDialog &d) {
        auto &k = static_cast<TKolik_CDs &>(d);
        k.readChoice()->click();
        if (k.lookUpBox()->isChecked() != lookUp)
            k.lookUpBox()->click();
        k.driveList()->setCurrentIndex(k.driveList()->findText(kImageEntry));
        k.confirmButton()->click();
    };
}

// What the user does in the edit screen's drive dialog: picks the disc image.
inline ScriptedAnswerer::ScreenAction pickImage()
{
    return [](QDialog &d) {
        auto &m = static_cast<TMechanika_MusicBrainz &>(d);
        m.driveList()->setCurrentIndex(m.driveList()->findText(kImageEntry));
        m.confirmButton()->click();
    };
}

class MusicBrainzFixture : public CdFixture
{
protected:
    // Number, title, length and artist of every row of the disc shown.
    static QStringList gridOf(CdTitleForm &form)
    {
        QStringList out;
        TrackModel *m = form.model();
        for (int r = 0; r < m->rowCount(); ++r)
            out << QStringList{m->index(r, TrackModel::Number).data().toString(),
                               m->index(r, TrackModel::Title).data().toString(),
                               m->index(r, TrackModel::Length).data().toString(),
                               m->index(r, TrackModel::Artist).data().toString()}
                       .join(' ');
        return out;
    }

    void SetUp() override
    {
        CdFixture::SetUp();
        ASSERT_TRUE(server.listening());
        ASSERT_TRUE(cache.isValid());
        MusicBrainzClient::setCacheFolder(cache.path());
        MusicBrainzClient::setTimeoutMs(5000);
        // Were a setting ever to fall back to the public server, this one
        // would hear it instead of the internet.
        ASSERT_TRUE(fallback.listening());
        MusicBrainzClient::setDefaultServer(fallback.url());
        SettingsStore store = SettingsStore::own();
        store.writeString(QStringLiteral("MusicBrainzServer"), server.url());
        store.sync();
        // The waiting window waits for the answer, as the user does.
        user.onScreen["TCekani_MusicBrainz"] = [this](QDialog &d) {
            waitingSeen = d.isVisible();
            waitUntilClosed(d);
        };
    }
    void TearDown() override
    {
        MusicBrainzClient::setTimeoutMs(10000);
        MusicBrainzClient::setDefaultServer(QString());
        // The temporary folder goes with the test; later ones use their own.
        MusicBrainzClient::setCacheFolder(QString());
    }

    // Events run while the window waits: the program stays responsive.
    void waitUntilClosed(QDialog &d, int ms = 8000)
    {
        QElapsedTimer t;
        t.start();
        while (d.isVisible() && t.elapsed() < ms)
            QTest::qWait(10);
        EXPECT_FALSE(d.isVisible()) << "the waiting window did not close";
    }

    // A cue image of the lengths given, its disc ID as published.
    QString image(const std::vector<int> &trackFrames, const QString &base = "album")
    {
        std::vector<ImageTrack> tracks;
        for (int f : trackFrames)
            tracks.push_back({f});
        discId = publishedDiscId(trackFrames);
        return writeCueImage(env.dataDir(), base, tracks);
    }

    // The server's answer for the disc of the last image.
    void serve(int status, const QByteArray &body)
    {
        server.answer(discPath(), HttpReply{status, body});
    }
    // The server takes the request for the disc and never answers.
    void serveNothing()
    {
        HttpReply never;
        never.never = true;
        server.answer(discPath(), never);
    }
    // "Dvojalbum" of two media: the disc of the last image as the first
    // (tracks A, B and C without lengths), the second as given.
    QByteArray doubleAlbum(const std::vector<MbTrack> &second) const
    {
        return discAnswer(
            discId,
            {release("r2", "Dvojalbum", {"Kapela"}, "2010", "CZ",
                     {medium(1, {discId}, {{"A", 0, {}}, {"B", 0, {}}, {"C", 0, {}}}, {"Kapela"}),
                      medium(2, {}, second, {"Kapela"})})});
    }
    QByteArray discPath() const { return "/ws/2/discid/" + discId.toLatin1(); }
    // The paths with their queries the server was asked for.
    QStringList requests() const
    {
        QStringList out;
        for (const HttpRequest &r : server.requests())
            out << QString::fromLatin1(r.target);
        return out;
    }
    QStringList userAgents() const
    {
        QStringList out;
        for (const HttpRequest &r : server.requests())
            out << QString::fromUtf8(r.headers.value("user-agent"));
        return out;
    }

    QStringList shownOf(MessageKind kind) const
    {
        QStringList out;
        for (const auto &s : user.shown)
            if (s.kind == kind)
                out << s.text;
        return out;
    }

    QTemporaryDir cache;
    LocalHttpServer server;
    LocalHttpServer fallback;
    QString discId;
    bool waitingSeen = false;
};

// The new-title screen with the lookup: the disc image read through the
// track-count dialog.
class NewTitleLookup : public MusicBrainzFixture
{
protected:
    TNovy_CD_disk &open()
    {
        screen = std::make_unique<TNovy_CD_disk>(window->session());
        screen->show();
        QApplication::processEvents();
        return *screen;
    }
    CdTitleForm &form() { return *screen->form(); }
    QStringList grid() { return gridOf(form()); }
    // Reads the image into the disc shown through the track-count dialog.
    void readDisc(const QString &cue, bool lookUp = true)
    {
        user.openFiles << cue;
        user.onScreen["TKolik_CDs"] = readImage(lookUp);
        form().findChild<QAction *>("ZmenitPocetStop")->trigger();
    }
    void save() { screen->findChild<QPushButton *>("BitBtn2")->click(); }

    std::unique_ptr<TNovy_CD_disk> screen;
};

} // namespace velmora::test
