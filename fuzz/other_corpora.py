"""Seeds of the fuzzers of language files, backup status files and disc
images; make_corpus.py writes them. Files named valid_* are read whole by
the program; the others are damaged or foreign on purpose. The output is the
same on every run.
"""

import os
import struct


def cp(text):
    return text.encode("cp1250")


# --- language files ---------------------------------------------------------

def lang_seeds():
    czech = [
        "; Jazykový soubor programu",
        "[Main]",
        "Autor=Jan Novák",
        "Date=27.05.2002",
        "Email=jan.novak@example.cz",
        "Version=2002.A.01",
        "",
        "[Central]",
        "000=Velmora 2002",
        "103=Multi Program",
        "104=32 - bitová verze",
        "106 27.05.2002=Verze ze dne 27.05.2002",
        "113=Příliš žluťoučký kůň úpěl ďábelské ódy",
        "120=Opravdu smazat?",
        "121=Čekejte prosím ...",
        "[Others]",
        "002=Zavřít",
        "004=V databázi nejsou žádná data, nelze pokračovat!",
        "006=Chyba",
        "[PassDlg]",
        "000=Zabezpečení aplikace",
        "004=Čekám",
        "[Menu_VK]",
        "305=Aktuální statistika VK",
    ]
    yield "valid_czech.set", cp("\r\n".join(czech) + "\r\n")
    english = ["[Main]", "Autor=John Smith", "Version=2002.A.01", "[Others]",
               "004=No data in the database!", "002=", "[Central]", "000 = Velmora  "]
    yield "valid_english_lf.set", cp("\n".join(english))
    yield "valid_mixed_case.set", b"[MAIN]\r\nAUTOR=Petr\r\n[menu_vk]\r\n305=Statistika\r\n"
    yield "valid_duplicates.set", (b"[Others]\r\n004=prvni\r\n004=druhy\r\n[others]\r\n"
                                   b"004=treti\r\n[Main]\r\nautor=a=b=c\r\n")
    yield "valid_long_value.set", b"[Central]\r\n113=" + b"abcdefghij" * 500 + b"\xe8\r\n"
    yield "odd_brackets.set", (b"[Main\r\nAutor=bez sekce\r\n[]\r\n=prazdny klic\r\nklic\r\n"
                               b"[ Central ] navic\r\n 000 =  X  \r\n[a]b]\r\nc=d\r\n")
    yield "cr_only.set", b"[Main]\rAutor=Mac\rVersion=1\r"
    yield "no_sections.set", b"Autor=Jan\nThis is a letter, not a language file.\n"
    yield "binary_nul.set", b"[Main]\r\nAutor=Skryty\r\n\x00\x01\x02\xff[Others]\r\n004=x\r\n"
    yield "empty.set", b""
    yield "blank_lines.set", b"\r\n\r\n   \r\n\t\r\n;[Main]\r\n;Autor=x\r\n"


# --- backup status files ----------------------------------------------------

def status(date, time, version, eol="\r\n"):
    lines = ["Informace o zaloze na toto medium:", "Datum zalohy    : " + date,
             "Cas odzalohovani: " + time, version, "", "Corect End Norvane information file."]
    return cp(eol.join(lines) + eol)


def status_seeds():
    yield "valid_info.txt", status("27.05.2002", "09:05:03", "2002.A")
    yield "valid_infocd.txt", status("1.2.2002", "23:59:59", "2002.A")
    yield "valid_lf_only.txt", status("27.05.2002", "09:05:03", "2002.A", "\n")
    yield "older_version.txt", status("03.11.2001", "18:00:00", "2001.B")
    yield "two_lines.txt", cp("Informace o zaloze na toto medium:\r\nDatum zalohy    : 1.2.2002\r\n")
    yield "empty.txt", b""
    yield "long_values.txt", status("27.05.2002 " + "x" * 100, "09:05:03" + " " * 60, "2002.A")
    yield "short_labels.txt", cp("Info\r\nDatum: 1.1.2002\r\nCas: 10:00\r\n2002.A\r\n")
    yield "diacritics.txt", status("pátek 27. května 2002", "půl desáté", "2002.A")
    yield "cr_only.txt", status("27.05.2002", "09:05:03", "2002.A", "\r")
    yield "binary.txt", bytes(range(256)) * 2


# --- CD-Text ----------------------------------------------------------------

def crc16(data):
    crc = 0
    for b in data:
        crc ^= b << 8
        for _ in range(8):
            crc = ((crc << 1) ^ 0x1021) if crc & 0x8000 else crc << 1
            crc &= 0xFFFF
    return (~crc) & 0xFFFF


def cdtext(kinds, charset=0, language=0x09, size_packs=True, block=0, header=False):
    """Binary CD-Text of one block: kinds maps a pack type (0x80 titles, 0x81
    performers) to the texts of the disc (index 0) and of each track."""
    packs = []
    counts = [0] * 16

    def pack(ptype, track, charpos, text):
        p = bytes([ptype, track, len(packs), (block << 4) | min(charpos, 15)])
        p += text[:12].ljust(12, b"\0")
        packs.append(p + struct.pack(">H", crc16(p)))
        counts[ptype & 0x0F] += 1

    last = 1
    for ptype, texts in sorted(kinds.items()):
        data, owner = b"", []
        for t, text in enumerate(texts):
            data += text + b"\0"
            owner += [t] * (len(text) + 1)
            last = max(last, t)
        for at in range(0, len(data), 12):
            pos = 0
            while at - pos - 1 >= 0 and owner[at - pos - 1] == owner[at]:
                pos += 1
            pack(ptype, owner[at], pos, data[at:at + 12])
    if size_packs:
        counts[15] = 3
        size = bytes([charset, 1, last, 0]) + bytes(counts) + bytes([len(packs) + 2, 0, 0, 0])
        size += bytes(4) + bytes([language]) + bytes(7)
        for i in range(3):
            pack(0x8F, i, 0, size[i * 12:i * 12 + 12])
    out = b"".join(packs)
    if header:
        out = struct.pack(">H", len(out) + 2) + b"\0\0" + out
    return out


ALBUM = {0x80: [b"Ma vlast", b"Vysehrad", b"Vltava", b"Sarka"],
         0x81: [b"Ceska filharmonie", b"Smetana", b"Smetana", b"Smetana"]}


def cdtext_seeds():
    yield "valid_album.cdt", cdtext(ALBUM)
    latin = {0x80: ["Má vlast".encode("latin-1"), "Výšehrad".encode("cp1250")],
             0x81: [b"Orchestr"]}
    yield "valid_latin1.cdt", cdtext(latin)
    yield "valid_long_titles.cdt", cdtext({0x80: [b"Album " * 20, b"Skladba " * 19]})
    yield "valid_genre_message.cdt", cdtext({0x80: [b"Disk", b"Jedna"], 0x85: [b"Zprava"],
                                             0x87: [b"\x00\x05Pop"]})
    yield "with_header.cdt", cdtext(ALBUM, header=True)
    yield "no_size_packs.cdt", cdtext(ALBUM, size_packs=False)
    yield "ascii_block7.cdt", cdtext(ALBUM, charset=1, block=7)
    yield "shift_jis.cdt", cdtext(ALBUM, charset=0x80)
    yield "odd_length.cdt", cdtext(ALBUM)[:-5]
    yield "tiny.cdt", b"\x80\x00\x00"
    # A title of 300 bytes without its end: more than libcdio gathers a text in.
    yield "unterminated_title.cdt", cdtext({0x80: [b"X" * 300]})[:18 * 25] + \
        cdtext({0x80: [b"X" * 300]})[-54:]
    yield "track_255.cdt", cdtext({0x80: [b"A"] * 3})[:18].replace(b"\x80\x00", b"\x80\xff", 1) \
        + cdtext({0x80: [b"A"] * 3})[18:]


# --- cue sheets ---------------------------------------------------------------

def msf(frames):
    return "%02d:%02d:%02d" % (frames // 4500, frames // 75 % 60, frames % 75)


def cue(tracks, head="", text=True, bin_name="disc.bin"):
    out = head + 'FILE "%s" BINARY\r\n' % bin_name
    for n, (mode, start, title) in enumerate(tracks, 1):
        out += "  TRACK %02d %s\r\n" % (n, mode)
        if text and title:
            out += '    TITLE "%s"\r\n    PERFORMER "Smetana"\r\n' % title
        out += "    INDEX 01 %s\r\n" % msf(start)
    return out.encode("utf-8")


THREE = [("AUDIO", 0, "Vyšehrad"), ("AUDIO", 600, "Vltava"), ("AUDIO", 1200, "Šárka")]


def cue_seeds():
    head = ('REM GENRE Classical\r\nREM DATE 1990\r\nCATALOG 0000000000000\r\n'
            'PERFORMER "Česká filharmonie"\r\nTITLE "Má vlast"\r\n')
    yield "valid_album.cue", cue(THREE, head)
    yield "valid_no_text.cue", cue(THREE, text=False)
    yield "valid_cdtextfile.cue", cue(THREE, 'CDTEXTFILE "fixed.cdt"\r\n', text=False)
    yield "valid_enhanced.cue", cue([("MODE1/2352", 0, ""), ("AUDIO", 900, "Bonus")])
    flags = ('FILE "disc.bin" BINARY\r\n  TRACK 01 AUDIO\r\n    FLAGS DCP PRE\r\n'
             '    ISRC CZA019000001\r\n    INDEX 00 00:00:00\r\n    INDEX 01 00:02:00\r\n'
             '  TRACK 02 AUDIO\r\n    PREGAP 00:02:00\r\n    INDEX 01 00:10:00\r\n')
    yield "valid_flags_pregap.cue", flags.encode()
    yield "valid_many_tracks.cue", cue([("AUDIO", n * 20, "T%d" % n) for n in range(99)])
    yield "latin2_text.cue", cue(THREE, 'TITLE "Má vlast"\r\n').decode("utf-8").encode("cp1250")
    yield "too_many_tracks.cue", cue([("AUDIO", n * 10, "") for n in range(120)], text=False)
    yield "backwards.cue", cue([("AUDIO", 1200, "A"), ("AUDIO", 600, "B"), ("AUDIO", 0, "C")])
    yield "past_end.cue", cue([("AUDIO", 0, "A"), ("AUDIO", 1900, "B"), ("AUDIO", 9000, "C")])
    yield "missing_cdtextfile.cue", cue(THREE, 'CDTEXTFILE "none.cdt"\r\n')
    yield "device_cdtextfile.cue", cue(THREE, 'CDTEXTFILE "/dev/zero"\r\n')
    yield "no_tracks.cue", b'TITLE "Jen nazev"\r\nFILE "disc.bin" BINARY\r\n'
    yield "bad_msf.cue", cue(THREE).replace(b"00:08:00", b"00:99:99")
    yield "unknown_keyword.cue", cue(THREE, "SONGWRITER \"X\"\r\nFOO bar\r\n")
    yield "long_title.cue", cue([("AUDIO", 0, "Dlouhý " * 500)])
    yield "no_quotes.cue", b"TITLE\r\nPERFORMER\r\nFILE\r\nTRACK\r\nTRACK 01\r\nINDEX\r\n"


# --- cdrdao tables of contents ---------------------------------------------------

def toc(tracks, disc_text=True, lang_map=False, mode="CD_DA"):
    out = mode + "\n"
    if disc_text:
        out += "CD_TEXT {\n"
        if lang_map:
            out += "  LANGUAGE_MAP {\n    0 : EN\n  }\n"
        out += '  LANGUAGE 0 {\n    TITLE "Má vlast"\n    PERFORMER "Česká filharmonie"\n  }\n}\n'
    for kind, start, length, title in tracks:
        out += "\nTRACK %s\n" % kind
        if title:
            out += 'CD_TEXT {\n  LANGUAGE 0 {\n    TITLE "%s"\n    PERFORMER "Smetana"\n' \
                   '  }\n}\n' % title
        out += 'FILE "disc.bin" %s %s\n' % (msf(start), msf(length))
    return out.encode("utf-8")


TOC3 = [("AUDIO", 0, 600, "Vyšehrad"), ("AUDIO", 600, 600, "Vltava"),
        ("AUDIO", 1200, 600, "Šárka")]


def toc_seeds():
    yield "valid_album.toc", toc(TOC3)
    yield "valid_no_text.toc", toc([(k, s, n, "") for k, s, n, _ in TOC3], disc_text=False)
    yield "valid_datafile.toc", (b'CD_DA\n\nTRACK AUDIO\nNO COPY\nPRE_EMPHASIS\n'
                                 b'ISRC "CZA019000001"\nDATAFILE "disc.bin" 00:08:00\n'
                                 b'TRACK AUDIO\nPREGAP 00:02:00\nFILE "disc.bin" 00:08:00 00:10:00\n'
                                 b'START 00:01:00\n')
    yield "valid_mode1.toc", toc([("MODE1_RAW", 0, 600, ""), ("AUDIO", 600, 600, "Bonus")],
                                 mode="CD_ROM")
    # libcdio 2.1 does not know the map of languages and refuses the file.
    yield "language_map.toc", toc(TOC3, lang_map=True)
    yield "past_end.toc", toc([("AUDIO", 0, 600, "A"), ("AUDIO", 1900, 9000, "B")])
    yield "missing_file.toc", toc(TOC3).replace(b'"disc.bin"', b'"none.bin"')
    yield "unclosed_text.toc", b'CD_DA\nCD_TEXT {\n  LANGUAGE 0 {\n    TITLE "Konec chybi\n'
    yield "many_tracks.toc", toc([("AUDIO", n * 10, 10, "") for n in range(120)],
                                 disc_text=False)
    yield "binary_text.toc", toc(TOC3).replace(b"Vltava", b"Vlt\\001\\377ava {}")
    # A track without a mode, or of a mode libcdio gives no sector size,
    # with a file whose length is left to it: libcdio divided by zero.
    yield "track_without_mode.toc", b'CD_DA\nTRACK\nFILE "disc.bin" 0\n'
    yield "mode2_without_length.toc", b'CD_DA\nTRACK MODE2_FORM1\nDATAFILE "disc.bin"\n'
    yield "long_line.toc", toc(TOC3).replace(b"Vltava", b"Vltava " * 60)


# --- Nero images --------------------------------------------------------------

def chunk(tag, data):
    return tag + struct.pack(">I", len(data)) + data


def etn2(tracks):
    """Tracks as (start sector, sectors); audio of 2352 bytes a sector."""
    return chunk(b"ETN2", b"".join(
        struct.pack(">QQIIQ", s * 2352, n * 2352, 7, s, 0) for s, n in tracks))


def etnf(tracks):
    return chunk(b"ETNF", b"".join(
        struct.pack(">IIIII", s * 2352, n * 2352, 7, s, 0) for s, n in tracks))


def cuex(starts, end):
    entries = [(0x41, 0, 0, -150), (0x41, 1, 0, -150)]
    for i, s in enumerate(starts):
        entries.append((0x01, i + 1, 1, s))
        if i + 1 < len(starts):
            entries.append((0x01, i + 2, 0, starts[i + 1]))
    entries.append((0x01, 0xAA, 1, end))
    return chunk(b"CUEX", b"".join(struct.pack(">BBBBi", t, n, 0, i, lsn)
                                   for t, n, i, lsn in entries))


def daox(tracks):
    common = struct.pack("<I", 0) + b"0" * 13 + bytes(3) + bytes([1, len(tracks)])
    body = b"".join(bytes(10) + struct.pack(">I", 2352) + bytes([0, 7, 0, 0]) +
                    struct.pack(">QQQ", s * 2352, s * 2352, (s + n) * 2352) for s, n in tracks)
    return chunk(b"DAOX", common + body)


def nrg(chunks, version=55, pad=64, footer_ofs=None):
    data = bytes(pad)
    body = b"".join(chunks)
    ofs = len(data) if footer_ofs is None else footer_ofs
    if version == 55:
        tail = b"NER5" + struct.pack(">Q", ofs)
    else:
        tail = b"\0\0\0\0NERO" + struct.pack(">I", ofs)
    return data + body + tail


TRACKS = [(0, 600), (600, 600), (1200, 600)]
END = chunk(b"END!", b"")
SINF = chunk(b"SINF", struct.pack(">I", 1))
MTYP = chunk(b"MTYP", struct.pack(">I", 1))


def nrg_seeds():
    text = chunk(b"CDTX", cdtext(ALBUM))
    yield "valid_etn2_cdtext.nrg", nrg([etn2(TRACKS), text, SINF, MTYP, END])
    yield "valid_etnf_v50.nrg", nrg([etnf(TRACKS), text, SINF, END], version=50)
    yield "valid_cuex_daox.nrg", nrg([cuex([0, 600, 1200], 1800), daox(TRACKS), text, SINF,
                                      MTYP, END])
    yield "valid_no_text.nrg", nrg([etn2(TRACKS), SINF, END])
    yield "no_tracks.nrg", nrg([text, SINF, END])
    yield "no_end.nrg", nrg([etn2(TRACKS), text])
    yield "footer_past_end.nrg", nrg([etn2(TRACKS), END], footer_ofs=1 << 20)
    yield "chunk_too_long.nrg", nrg([etn2(TRACKS)[:4] + struct.pack(">I", 1 << 30)
                                     + etn2(TRACKS)[8:], END])
    yield "cdtx_odd_length.nrg", nrg([etn2(TRACKS), chunk(b"CDTX", cdtext(ALBUM)[:-4]), END])
    yield "unknown_chunk.nrg", nrg([chunk(b"ABCD", b"xyz!"), etn2(TRACKS), END])
    yield "not_nero.nrg", b"This is no Nero image at all." * 4
    # A text that begins with a tab ("as before") for the disc: libcdio 2.1
    # refuses the CD-Text and then freed it twice.
    tab = chunk(b"CDTX", cdtext({0x80: [b"\t", b"Jedna", b"Dva", b"Tri"]}))
    yield "tab_in_cdtext.nrg", nrg([etn2(TRACKS), tab, SINF, END])


# --- CSV files of spreadsheets ---------------------------------------------

def csv_seeds():
    head = "Číslo kazety;Typ kazety;Pozice;Název filmu;Žánr;Poznámka k filmu"
    rows = ['1;E 240;1;Pelíšky;Komedie;', '00002;E 180;1;"Zámek; ""první""";Drama;"řádek\r\ndva"']
    yield "valid_utf8_bom.csv", b"\xef\xbb\xbf" + "\r\n".join([head] + rows).encode("utf-8") + b"\r\n"
    yield "valid_utf8_lf.csv", "\n".join([head] + rows).encode("utf-8")
    yield "valid_cp1250.csv", cp("\r\n".join([head] + rows) + "\r\n")
    yield "valid_comma.csv", "Číslo CD,Titul,Disk,Stopa,Název stopy,Délka\n3,Má vlast,CD 1,1,Vyšehrad,15:05\n".encode("utf-8")
    yield "valid_tab.csv", "Číslo CD\tTitul\tDélka\n3\t\"Tab\tuvnitř\"\t1:02:03\n".encode("utf-8")
    yield "cr_only.csv", cp(head + "\r1;E 240;1;Mac\r")
    yield "open_quote.csv", cp(head + '\r\n1;E 240;1;"bez konce\r\n2;E 240;1;x\r\n')
    yield "quote_inside.csv", cp(head + '\r\n1;E 240;1;a"b"c;x"\r\n')
    yield "blank_lines.csv", cp("\r\n\r\n" + head + "\r\n;;;;;\r\n\r\n1;E 240\r\n")
    yield "broken_utf8.csv", b"\xef\xbb\xbf\xc3(\xa0\xa1;\xff\xfe\r\n"
    yield "nul_bytes.csv", b"a;b\x00c;d\r\n\x00\x00\r\n"
    yield "empty.csv", b""


CORPORA = {"lang_corpus": lang_seeds, "csv_corpus": csv_seeds, "status_corpus": status_seeds,
           "cdtext_corpus": cdtext_seeds, "cue_corpus": cue_seeds, "toc_corpus": toc_seeds,
           "nrg_corpus": nrg_seeds}


def write_all(here):
    for folder, seeds in CORPORA.items():
        out = os.path.join(here, folder)
        os.makedirs(out, exist_ok=True)
        for name, data in seeds():
            with open(os.path.join(out, name), "wb") as f:
                f.write(data)
        print(folder, len(os.listdir(out)))
