#pragma once

// Answers of the shape MusicBrainz gives for GET /ws/2/discid/<id>?inc=
// recordings+artist-credits&fmt=json, written for the tests: every field a
// real answer carries around the ones the program reads, so the reading is
// tried against the noise too.

#include <QByteArray>
#include <QString>

namespace velmora::test::answers {

inline const QString kAlbumDisc = QStringLiteral("xUp1F2NkfP8s8jaeFn_Av3jNEI4-");
inline const QString kSecondDisc = QStringLiteral("TqvKjMu7dMliSfmVEBtrL7sBSno-");
inline const QString kFirstDisc = QStringLiteral("lwHl8fGzJyLXQR33ug60E8jhf4k-");
inline const QString kSeveralDisc = QStringLiteral("Wn8eRBtfLDfM0qjYPdxrz.Zjs_U-");

inline QByteArray credit(const char *name, const char *join = "")
{
    return QByteArray(R"({"name":")") + name + R"(","joinphrase":")" + join +
           R"(","artist":{"id":"3b1c7f1e-4a0e-4bd5-9b3a-6a1f2f1b9d01","name":")" + name +
           R"(","sort-name":")" + name +
           R"(","disambiguation":"","type":"Person","type-id":"b6e035f4-3ce9-331c-97df-83397230b0df"}})";
}

// One release of one CD: the track of its own title, one that has its
// title and length only in its recording, one with a credit of its own.
inline QByteArray oneRelease()
{
    return QByteArray(R"({"id":")") + kAlbumDisc.toLatin1() +
           R"(","sectors":303602,"offset-count":3,"offsets":[150,9700,25887],
"releases":[{"id":"8f0b6f3c-5a4b-4c1e-9d7e-2b1a0c9d8e7f","title":"Písně z Hradce",
"status":"Official","status-id":"4e304316-386d-3409-af2e-78857eec5cfe","quality":"normal",
"packaging":"Jewel Case","packaging-id":"ec27701a-4a22-37f4-bfac-6616e0f9750a",
"date":"1999-05-21","country":"CZ","barcode":"8590233012345","asin":null,
"disambiguation":"","text-representation":{"language":"ces","script":"Latn"},
"release-events":[{"date":"1999-05-21","area":{"id":"51d4b2f4-3c2c-4b3a-8c1a-0e4f3d2a1b00","name":"Czechia","iso-3166-1-codes":["CZ"]}}],
"cover-art-archive":{"artwork":false,"count":0,"front":false,"back":false,"darkened":false},
"artist-credit":[)" +
           credit("Jan Novák", " & ") + "," + credit("Hosté") + R"(],
"media":[{"position":1,"title":"","format":"CD","format-id":"9712d52a-4509-3d4b-a1a2-67c88c643e31",
"track-offset":0,"track-count":3,
"discs":[{"id":")" +
           kAlbumDisc.toLatin1() +
           R"(","sectors":303602,"offset-count":3,"offsets":[150,9700,25887]}],
"tracks":[
{"id":"a1","position":1,"number":"1","title":"Úvod","length":129333,
 "artist-credit":[)" +
           credit("Jan Novák", " & ") + "," + credit("Hosté") + R"(],
 "recording":{"id":"r1","title":"Úvod – původní","length":129000,"video":false,"disambiguation":"",
  "first-release-date":"1999-05-21","artist-credit":[)" +
           credit("Jan Novák") + R"(]}},
{"id":"a2","position":2,"number":"2","title":"","length":null,
 "recording":{"id":"r2","title":"Když jsem já šel okolo","length":215500,"video":false,
  "disambiguation":"","artist-credit":[)" +
           credit("Jan Novák", " feat. ") + "," + credit("Łucja Żak") + R"(]}},
{"id":"a3","position":3,"number":"3","title":"Straße nach Brünn","length":301499,
 "artist-credit":[)" +
           credit("Zuzana Dvořáková") + R"(],
 "recording":{"id":"r3","title":"Straße nach Brünn","length":301000,"video":false,"disambiguation":""}}
]}]}]})";
}

// A release of two CDs read on its second: the disc ID in the second
// medium's disc list only.
inline QByteArray twoDiscRelease()
{
    return QByteArray(R"({"id":")") + kSecondDisc.toLatin1() +
           R"(","sectors":258725,"offset-count":2,"offsets":[150,17510],
"releases":[{"id":"0d2c1b4a-7e6f-4a3b-8c9d-1e2f3a4b5c6d","title":"Dvojalbum",
"status":"Official","quality":"normal","packaging":null,"date":"2003","country":"XE",
"barcode":null,"disambiguation":"","artist-credit":[)" +
           credit("Kapela") + R"(],
"media":[
{"position":1,"title":"","format":"CD","track-offset":0,"track-count":2,
 "discs":[{"id":")" +
           kFirstDisc.toLatin1() + R"(","sectors":200000,"offset-count":2,"offsets":[150,90000]}],
 "tracks":[
  {"id":"b1","position":1,"number":"1","title":"První z jedničky","length":180000,
   "recording":{"id":"q1","title":"První z jedničky","length":180000}},
  {"id":"b2","position":2,"number":"2","title":"Druhá z jedničky","length":200000,
   "recording":{"id":"q2","title":"Druhá z jedničky","length":200000}}]},
{"position":2,"title":"Bonus","format":"CD","track-offset":0,"track-count":2,
 "discs":[{"id":")" +
           kSecondDisc.toLatin1() + R"(","sectors":258725,"offset-count":2,"offsets":[150,17510]}],
 "tracks":[
  {"id":"c1","position":1,"number":"1","title":"První z dvojky","length":232000,
   "recording":{"id":"p1","title":"První z dvojky","length":232000}},
  {"id":"c2","position":2,"number":"2","title":"Druhá z dvojky","length":3400,
   "recording":{"id":"p2","title":"Druhá z dvojky","length":3400}}]}
]}]})";
}

// The same disc in three releases: the original, a reissue of two
// media, a promo without date or country.
inline QByteArray severalReleases()
{
    auto release = [](const char *id, const char *title, const QByteArray &date,
                      const QByteArray &country, const QByteArray &media) {
        return QByteArray(R"({"id":")") + id + R"(","title":")" + title +
               R"(","status":"Official","quality":"normal","date":)" + date + R"(,"country":)" +
               country + R"(,"artist-credit":[)" + credit("Skupina") + R"(],"media":[)" + media +
               "]}";
    };
    auto medium = [](int position, const char *format, bool ours) {
        return QByteArray(R"({"position":)") + QByteArray::number(position) + R"(,"format":)" +
               (format ? QByteArray("\"") + format + "\"" : QByteArray("null")) + R"(,"discs":[)" +
               (ours ? QByteArray(R"({"id":")") + kSeveralDisc.toLatin1() + R"(","sectors":90000})"
                     : QByteArray()) +
               R"(],"tracks":[{"id":"t","position":1,"number":"1","title":"Jediná","length":60000}]})";
    };
    return QByteArray(R"({"id":")") + kSeveralDisc.toLatin1() +
           R"(","sectors":90000,"offset-count":1,"offsets":[150],"releases":[)" +
           release("r-1", "Album", "\"1994-03\"", "\"CZ\"", medium(1, "CD", true)) + "," +
           release("r-2", "Album (reedice)", "\"2010-11-02\"", "\"DE\"",
                   medium(1, "CD", true) + "," + medium(2, "DVD-Video", false)) +
           "," + release("r-3", "Album (promo)", "null", "null", medium(1, nullptr, true)) + "]}";
}

inline QByteArray notFound()
{
    return R"({"error":"Not Found","help":"For usage, please see: https://musicbrainz.org/development/mmd"})";
}

} // namespace velmora::test::answers
