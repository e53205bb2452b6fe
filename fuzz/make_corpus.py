#!/usr/bin/python3
"""Writes the seed corpora of the fuzzers: dbf_fuzzer into fuzz/corpus/, and
those of the language files, backup status files and disc images (see
other_corpora.py) into fuzz/<name>_corpus/.

Each seed is one fuzzer input: a 4-byte little-endian length of the data
file, the data file, then the memo file. Seeds named valid_* are tables the
engine must open; damaged_* are broken on purpose and may be refused.
Run again after changing it; the output is the same on every run.
"""

import datetime
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus")
DATE = (102, 2, 1)  # 2002-02-01: fixed, so the seeds never change


def w(text):
    """Text in the Central European Windows code page, as the program stores it."""
    return text.encode("cp1250")


def field3(name, ftype, length, decimals=0, tagged=False):
    d = bytearray(32)
    n = name.upper().encode("latin-1")[:10]
    d[0:len(n)] = n
    d[11] = ord(ftype)
    d[16] = length & 0xFF
    d[17] = decimals
    d[31] = 1 if tagged else 0
    return bytes(d), length + 256 * decimals if ftype == "C" else length


def dbf3(version, fields, records, driver=0xC8, count=None, header_size=None,
         record_size=None, terminator=True, end_marker=True):
    """A dBASE III/IV table. fields: (name, type, length[, decimals[, tagged]]).
    records: lists of byte strings, one per field, or raw bytes (flag included)."""
    descs = [field3(*f) for f in fields]
    size = 1 + sum(length for _, length in descs)
    body = b"".join(d for d, _ in descs) + (b"\r" if terminator else b"")
    hsize = 32 + len(body) if header_size is None else header_size
    rsize = size if record_size is None else record_size
    n = len(records) if count is None else count
    head = struct.pack("<B3BIHH", version, *DATE, n, hsize, rsize)
    head += bytes(17) + bytes([driver]) + bytes(2)
    out = bytearray(head + body)
    for rec in records:
        if isinstance(rec, bytes):
            out += rec
            continue
        flag, values = (rec[0], rec[1:]) if rec and rec[0] in (b" ", b"*") else (b" ", rec)
        row = bytearray(flag)
        for (desc, length), v in zip(descs, values):
            row += v[:length].ljust(length, b" ")
        out += row
    if end_marker:
        out += b"\x1a"
    return bytes(out)


def dbf7(fields, records, driver_name=b"DB win1250", version=0x8C):
    """A level-7 table. fields: (name, type, length, decimals, tagged, autoinc)."""
    descs = b""
    size = 1
    for name, ftype, length, decimals, tagged, autonext in fields:
        d = bytearray(48)
        n = name.encode("latin-1")[:31]
        d[0:len(n)] = n
        d[32] = ord(ftype)
        d[33] = length
        d[34] = decimals
        d[37] = 1 if tagged else 0
        d[40:44] = struct.pack("<I", autonext)
        descs += bytes(d)
        size += length
    body = descs + b"\r"
    head = struct.pack("<B3BIHH", version, *DATE, len(records), 68 + len(body), size)
    head += bytes(17) + b"\x00" + bytes(2) + driver_name.ljust(32, b"\x00") + bytes(4)
    out = bytearray(head + body)
    for rec in records:
        out += b" " + b"".join(rec)
    return bytes(out + b"\x1a")


def dbt3(memos):
    """dBASE III memo file: 512-byte blocks, texts ended by two 0x1A."""
    blocks = [bytearray(512)]
    numbers = []
    for text in memos:
        numbers.append(len(blocks))
        data = text + b"\x1a\x1a"
        while data:
            blocks.append(bytearray(data[:512].ljust(512, b"\x00")))
            data = data[512:]
    blocks[0][0:4] = struct.pack("<I", len(blocks))
    blocks[0][16] = 3
    return b"".join(bytes(b) for b in blocks), numbers


def dbt4(memos, block=64, length_fix=None):
    """dBASE IV memo file: a header with the block size at offset 20, each
    text after an 8-byte head FF FF 08 00 and its length."""
    out = bytearray(block)
    numbers = []
    for i, text in enumerate(memos):
        numbers.append(len(out) // block)
        length = len(text) + 8 if length_fix is None else length_fix[i]
        data = b"\xff\xff\x08\x00" + struct.pack("<I", length) + text
        pad = (-len(data)) % block
        out += data + b"\x00" * pad
    out[0:4] = struct.pack("<I", len(out) // block)
    out[20:22] = struct.pack("<H", block)
    return bytes(out), numbers


def blockno(n, width=10):
    return str(n).rjust(width).encode() if n else b" " * width


def be_int(v):
    return struct.pack(">I", (v ^ 0x80000000) & 0xFFFFFFFF) if v is not None else bytes(4)


def sortable_double(d):
    bits = struct.unpack(">Q", struct.pack(">d", d))[0]
    bits = (~bits & 0xFFFFFFFFFFFFFFFF) if bits >> 63 else bits | (1 << 63)
    return struct.pack(">Q", bits)


PLAIN_FIELDS = [("NAZEV", "C", 12), ("POCET", "N", 5), ("CENA", "N", 8, 2),
                ("DATUM", "D", 8), ("PUJCENO", "L", 1)]
PLAIN_ROWS = [
    [w("Kočka"), b"   12", b"  199.90", b"20020131", b"T"],
    [w("Šakal"), b"    0", b"    0.50", b"19991231", b"F"],
    [b"*", b"smazany", b"    3", b"    1.00", b"20000229", b"T"],
    [b"chata", b"   -7", b"", b"", b"?"],
    [b"CHATA", b"", b"   -1.25", b"20020230", b"f"],
    [w("číslo"), b"99999", b"99999.99", b"00000000", b"y"],
]


def cassettes():
    """A small table of the program's own cassette layout, as it creates it."""
    fields = [("t_kazety", "C", 5), ("cislo", "C", 5, 0, True)]
    for n in range(1, 6):
        fields += [(f"film{n}", "C", 30), (f"zanr{n}", "C", 15), (f"ry{n}", "C", 2),
                   (f"cas{n}", "N", 11), (f"zdroj{n}", "C", 20), (f"datum{n}", "D", 8),
                   (f"S_Time{n}", "N", 11), (f"E_Time{n}", "N", 11), (f"P_film{n}", "M", 10)]
    fields += [("pujceno", "L", 1), ("komu", "C", 15, 0, True), ("od_kdy", "C", 10),
               ("delka_pujc", "N", 11), ("pozn", "C", 50)]
    dbt, numbers = dbt3([w("Poznámka k filmu"), w("Druhý díl, konec chybí")])
    rows = []
    for i, (cislo, komu, memo) in enumerate([(b"00002", w("Novák"), numbers[0]),
                                             (b"00001", b"", 0),
                                             (b"00010", w("Žvan"), numbers[1])]):
        row = [b"E 180", cislo]
        for n in range(1, 6):
            if n == 1:
                row += [w("Pelíšky"), b"Komedie", b"SP", b"115".rjust(11), b"TV Nova",
                        b"20010915", b"0".rjust(11), b"115".rjust(11), blockno(memo)]
            else:
                row += [b"", b"", b"", b"", b"", b"", b"", b"", b""]
        row += [b"T" if komu else b"F", komu, b"1.2.2002" if komu else b"",
                b"14".rjust(11) if komu else b"", b"Kazeta %d" % i]
        rows.append(row)
    return dbf3(0x83, fields, rows), dbt


def level7():
    fields = [("Cislo", "I", 4, 0, True, 0), ("Id", "+", 4, 0, False, 4),
              ("Cena", "O", 8, 0, False, 0), ("Kdy", "@", 8, 0, False, 0),
              ("Pujceno", "L", 1, 0, False, 0), ("Datum", "D", 8, 0, False, 0),
              ("Nazev s dlouhym jmenem pole", "C", 20, 0, True, 0), ("Poznamka", "M", 10, 0, False, 0)]
    dbt, numbers = dbt4([w("Uložená poznámka"), b"x" * 100])
    # 2002-02-01 12:30:00 as milliseconds since 1 January of year 1 (day 1).
    day = datetime.date(2002, 2, 1).toordinal()
    stamp = day * 86400000.0 + 45000000.0
    rows = [
        [be_int(1), be_int(1), sortable_double(199.5), sortable_double(stamp), b"T",
         b"20020201", w("Český název").ljust(20), blockno(numbers[0])],
        [be_int(-5), be_int(2), sortable_double(-3.25), bytes(8), b"F", b"        ",
         b"".ljust(20), blockno(numbers[1])],
        [be_int(None), be_int(3), bytes(8), sortable_double(float("inf")), b" ", b"2002023X",
         b"Alfa".ljust(20), blockno(0)],
    ]
    return dbf7(fields, rows), dbt


def seeds():
    plain = dbf3(0x03, PLAIN_FIELDS, PLAIN_ROWS, driver=0xC8)
    yield "valid_db3_plain", plain, b""

    cp852_rows = [["Čížek".encode("cp852")], ["Šťáva".encode("cp852")], ["cháta".encode("cp852")]]
    yield "valid_db3_cp852", dbf3(0x03, [("JMENO", "C", 10, 0, True)], cp852_rows,
                                  driver=0x64), b""

    dbt, nums = dbt3([w("Krátká poznámka"), w("Dlouhá ") * 90, b""])
    memo_rows = [[b"A", blockno(nums[0])], [b"B", blockno(nums[1])], [b"C", blockno(0)],
                 [b"D", blockno(nums[0])]]
    yield "valid_db3_memo", dbf3(0x83, [("KOD", "C", 3), ("TEXT", "M", 10)], memo_rows), dbt

    # A memo field of a table without its memo file reads as empty.
    yield "valid_db3_memo_missing", dbf3(0x83, [("KOD", "C", 3), ("TEXT", "M", 10)],
                                         memo_rows), b""

    dbt, nums = dbt4([w("První"), w("Druhá a delší ") * 10], block=512)
    yield "valid_db4_memo", dbf3(0x8B, [("KOD", "C", 3), ("TEXT", "M", 10)],
                                 [[b"A", blockno(nums[0])], [b"B", blockno(nums[1])]]), dbt

    dbf, dbt = level7()
    yield "valid_level7", dbf, dbt

    dbf, dbt = cassettes()
    yield "valid_cassettes", dbf, dbt

    # Character field of 300 bytes: the decimals byte holds the high part.
    yield "valid_db3_longchar", dbf3(0x03, [("TEXT", "C", 300 & 0xFF, 1), ("N", "N", 3)],
                                     [[b"zacatek" + b"." * 280 + b"konec", b"  1"]]), b""

    yield "valid_db3_empty", dbf3(0x03, PLAIN_FIELDS, []), b""

    # Some writers keep the memo block number as 4 binary bytes.
    dbt, nums = dbt3([b"binarni cislo bloku"])
    yield "valid_db3_memo_binary_block", dbf3(
        0x83, [("TEXT", "M", 4)], [[struct.pack("<I", nums[0])], [bytes(4)]]), dbt

    # --- damaged ------------------------------------------------------------
    yield "damaged_truncated_header", plain[:20], b""
    yield "damaged_header_past_end", dbf3(0x03, PLAIN_FIELDS, PLAIN_ROWS[:1],
                                          header_size=4000), b""
    yield "damaged_field_past_record", dbf3(0x03, PLAIN_FIELDS, PLAIN_ROWS[:2],
                                            record_size=20), b""
    yield "damaged_count_past_end", dbf3(0x03, PLAIN_FIELDS, PLAIN_ROWS[:2],
                                         count=100000), b""
    yield "damaged_no_terminator", dbf3(0x03, PLAIN_FIELDS, PLAIN_ROWS[:3], terminator=False,
                                        header_size=32 + 32 * 3 + 7), b""
    yield "damaged_bad_version", b"\x05" + plain[1:], b""

    dbt, nums = dbt3([b"jen jedna"])
    bad_blocks = [[blockno(99999)], [b"2147483647"], [b"        -5"], [b"abc       "],
                  [b"9999999999"], [b"\x00" * 10], [blockno(nums[0])]]
    yield "damaged_memo_blocks", dbf3(0x83, [("TEXT", "M", 10)], bad_blocks), dbt

    dbt, nums = dbt4([b"ok", b"too long", b"short", b"zero"],
                     length_fix=[10, 0x7FFFFFFF, 3, 0])
    yield "damaged_db4_memo_lengths", dbf3(0x8B, [("TEXT", "M", 10)],
                                           [[blockno(n)] for n in nums]), dbt
    # dBASE IV memo file whose header names a block size too small to trust.
    dbt = bytearray(dbt)
    dbt[20:22] = struct.pack("<H", 16)
    yield "damaged_db4_memo_block_size", dbf3(0x8B, [("TEXT", "M", 10)],
                                              [[blockno(n)] for n in nums]), bytes(dbt)

    garbage_fields = [("I3", "I", 3), ("D", "D", 8), ("N", "N", 6), ("F", "F", 6, 2),
                      ("L", "L", 1), ("T", "@", 8), ("O", "O", 5), ("D5", "D", 5)]
    garbage_rows = [[b"\xff\xff\xff", b"20231340", b"1e999", b"nan", b"?", b"\xff" * 8,
                     b"\x80" * 5, b"2002"],
                    [b"abc", b"-0010101", b"--1", b" 1,50", b"\x00", b"\x00" * 8,
                     b"\x00" * 5, b"\x00" * 5]]
    yield "damaged_field_values", dbf3(0x03, garbage_fields, garbage_rows), b""

    # Two fields of one name and a name of no letters.
    yield "damaged_field_names", dbf3(0x03, [("A", "C", 2), ("a", "C", 2), ("", "C", 2),
                                             ("a-b", "C", 2)], [[b"x", b"y", b"z", b"w"]]), b""
    yield "damaged_zero_length_field", dbf3(0x03, [("A", "C", 2), ("Z", "C", 0)],
                                            [[b"x", b""]]), b""


def main():
    import other_corpora
    other_corpora.write_all(HERE)
    os.makedirs(OUT, exist_ok=True)
    for name, dbf, dbt in seeds():
        data = struct.pack("<I", len(dbf)) + dbf + dbt
        if len(data) >= 8192:
            sys.exit(f"{name}: seed of {len(data)} bytes is too large")
        with open(os.path.join(OUT, name + ".bin"), "wb") as f:
            f.write(data)
        print(f"{name}.bin {len(data)}")


if __name__ == "__main__":
    main()
