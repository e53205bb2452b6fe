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


CORPORA = {"lang_corpus": lang_seeds, "status_corpus": status_seeds}


def write_all(here):
    for folder, seeds in CORPORA.items():
        out = os.path.join(here, folder)
        os.makedirs(out, exist_ok=True)
        for name, data in seeds():
            with open(os.path.join(out, name), "wb") as f:
                f.write(data)
        print(folder, len(os.listdir(out)))
