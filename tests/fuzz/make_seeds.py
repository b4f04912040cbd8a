#!/usr/bin/env python3
"""Writes the committed seed corpus of each fuzz target (corpus/<target>/<case>).

Run it again after changing a case here; the fuzzers read the files, not this script.
"""
import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent


def utf16(text):
    return text.encode("utf-16-le", "surrogatepass")


MEMO = "買い物メモ：牛乳とﾊﾟﾝ、表ソ能"

SEEDS = {
    # One byte that picks the argument (value % 8 - 1), then the command line in UTF-16.
    "command_line": {
        "plain": b"\x02" + utf16("mimoruka.exe C:\\memo\\a.txt"),
        "quoted_program_and_path": b"\x02" + utf16('"C:\\Program Files\\mimoruka.exe" "C:\\my memo\\買い物.txt"'),
        "empty_argument_first": b"\x02" + utf16('mimoruka.exe "" "C:\\my memo\\a.txt"'),
        "pairs_and_tabs": b"\x02" + utf16('mimoruka.exe """" \t "" x.txt'),
        "quotes_inside": b"\x02" + utf16('mimoruka.exe C:\\my" "memo\\a.txt'),
        "unclosed_quote": b"\x02" + utf16('mimoruka.exe "C:\\open ended'),
        "control_separators": b"\x02" + utf16("mimoruka.exe\x01\x1fa.txt\nb.txt"),
        "nul_inside": b"\x03" + utf16("m.exe a\x00b c"),
        "third_argument": b"\x04" + utf16("m.exe a b c"),
        "program_name": b"\x01" + utf16('"C:\\Program Files\\m.exe" a'),
    },
    "base_name": {
        "japanese": utf16("C:\\memo\\買い物.txt"),
        "two_dots": utf16("C:\\memo\\a.b.txt"),
        "only_extension": utf16("C:\\memo\\.txt"),
        "drive_relative": utf16("C:a.txt"),
        "forward_slashes": utf16("dir/sub/a.txt"),
        "shift_jis_5c": utf16("C:\\ソ\\表.txt"),
        "long_path_prefix": utf16("\\\\?\\C:\\" + "長い\\" * 40 + "メモ.txt"),
        "unc": utf16("\\\\server\\share\\memo"),
        "trailing_delimiter": utf16("C:\\memo\\"),
    },
    "text_lines": {
        "crlf": utf16("one\r\ntwo\r\n"),
        "mixed_breaks": utf16("a\nb\rc\r\nd"),
        "lf_cr": utf16("a\n\rb"),
        "cr_at_end": utf16("a\r"),
        "cr_cr_lf": utf16("a\r\r\n"),
        "blank_lines": utf16("\n\n\r\n\r"),
        "japanese": utf16(MEMO + "\n" + MEMO),
        "long_line": utf16("x" * 300 + "\r\n" + "y" * 10),
    },
    # Reminder files as bytes.
    "text_decoding": {
        "shift_jis": MEMO.encode("cp932"),
        "utf8": MEMO.encode("utf-8"),
        "utf8_mark": b"\xef\xbb\xbf" + MEMO.encode("utf-8"),
        "utf16le_mark": b"\xff\xfe" + utf16(MEMO + "\r\n"),
        "utf16be_mark": b"\xfe\xff" + (MEMO + "\r\n").encode("utf-16-be"),
        "utf16_odd_byte": b"\xff\xfe" + utf16("ab") + b"c",
        "utf16_zero_unit": b"\xff\xfe" + utf16("ab\x00c"),
        "ascii": b"memo\r\nline two\r\n",
        "nul_cuts": MEMO.encode("utf-8") + b"\x00\xff tail",
        "lone_lead_byte_at_end": b"abc\x82",
        "truncated_utf8": "買".encode("utf-8")[:2] + b"a",
        "overlong_and_surrogate": b"\xc0\xaf\xe0\x80\x80\xed\xa0\x80\xe0\xa0\x80",
        "past_10ffff": b"\xf4\x90\x80\x80\xf4\x8f\xbf\xbf",
        "outside_bmp": "😀 𠮷".encode("utf-8"),
        "binary": bytes(range(256)),
    },
    # Eight bytes of offset, then class name, module name and message in UTF-16, NUL between.
    "error_report": {
        "open_error": struct.pack("<Q", 0x1A2B) + utf16("EFOpenError\0mimoruka.exe\0ファイル C:\\a.txt は開けません"),
        "full_stop": struct.pack("<Q", 0xABCDEF12) + utf16("Exception\0mimoruka.exe\0done."),
        "empty_message": struct.pack("<Q", 0) + utf16("EAbort\0mimoruka.exe\0"),
        "wide_offset": struct.pack("<Q", 0x123456789) + utf16("EOutOfMemory\0m.exe\0x"),
        "all_ones": struct.pack("<Q", 2**64 - 1) + utf16("\0\0."),
    },
    # Integers as FuzzedDataProvider takes them (from the end of the input).
    "scaling": {
        "zeros": bytes(48),
        "ones": b"\xff" * 48,
        "small": bytes(range(1, 49)),
        "setup_window": struct.pack("<12i", 8, 40, 177, 20, 18, 12, 96, 144, -12, 120, 15, 12),
    },
}

for target, cases in SEEDS.items():
    folder = HERE / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    for name, data in cases.items():
        (folder / name).write_bytes(data)
