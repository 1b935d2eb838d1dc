#!/usr/bin/env python3
"""Builds the bundled sample mailer home (examples/pelkhome) from UTF-8 sources.

    python3 tools/mkstore/mkstore.py examples/pelkhome
    python3 tools/mkstore/mkstore.py --check examples/pelkhome

Mail sources live in tools/mkstore/mails/<folder>/NNNN.txt (UTF-8, LF). They are
written as CP932 with CR LF line ends; the folder index files are built from the
mails' headers. Lines at the top of a source that begin with "#@ " are directives:

    #@ encoding: cp1252          write the mail in another single-byte charset
    #@ time: 2026-11-13T21:05+09:00   record time for a mail without a Date field

Placeholders expanded before encoding:

    {{ew-jis:TEXT}}        RFC 2047 encoded word, ISO-2022-JP, Base64
    {{rfc2231-jis:TEXT}}   RFC 2231 extended value, ISO-2022-JP, percent-escaped
    {{base64:NAME}}        a generated attachment, Base64 in 76-column lines
    {{qp-cp932:NAME}}      a generated attachment, quoted-printable
    {{uuencode:NAME}}      a generated attachment, uuencoded (begin ... end)

Everything is deterministic: running it twice gives the same bytes. With --check it
writes nothing and fails when OUTPUT_DIR differs from what it would write (a test runs
that). Standard library only.
"""

import base64
import binascii
import datetime
import email.utils
import pathlib
import re
import struct
import sys
import zlib

HERE = pathlib.Path(__file__).resolve().parent
SOURCES = HERE / "mails"

# Folder directory -> index file beside it (the order is the mailer's folder list).
FOLDERS = [("in", "in.fld"), ("out", "out.fld"), ("trash", "trash.can"), ("sent", "sent.fld")]

# Folder index layout: 128-byte header, then 512-byte records.
HEADER_SIZE = 128
RECORD_SIZE = 512
STRING_AREA = 500
MAGIC = b"PELK-FOLDER-INDEX"
VERSION = 1

STATUS_BYTES = {"RECV": 1, "READ": 2, "RPLY": 3, "WRIT": 4, "SNDR": 5}
STATUS_STORED = 2
STATUS_DRAFT = 6

CRLF = "\r\n"


# --- Generated attachments -------------------------------------------------------


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def stored_deflate(raw):
    """A zlib stream of stored blocks: identical bytes whatever the zlib version."""
    out = bytearray(b"\x78\x01")
    for start in range(0, len(raw), 65535):
        block = raw[start:start + 65535]
        final = 1 if start + 65535 >= len(raw) else 0
        out += bytes([final]) + struct.pack("<HH", len(block), len(block) ^ 0xFFFF) + block
    out += struct.pack(">I", zlib.adler32(raw))
    return bytes(out)


def course_map_png():
    """A 48x32 palette image: sky, a green mountain and a red trail to its top."""
    width, height = 48, 32
    palette = [(0xCF, 0xE8, 0xFF), (0x4C, 0x9A, 0x4C), (0x2E, 0x6B, 0x2E), (0xD0, 0x30, 0x30),
               (0xFF, 0xFF, 0xFF)]
    rows = bytearray()
    for y in range(height):
        rows.append(0)  # filter: none
        for x in range(width):
            peak = height - 4 - abs(x - 24) * 26 // 24
            colour = 0
            if y >= height - peak:
                colour = 2 if (x + y) % 7 == 0 else 1
            if y < 4 and x in range(20, 29):
                colour = 4  # a cloud
            trail_x = 6 + (height - 1 - y) * 18 // (height - 6)
            if y >= 5 and x == trail_x and y % 2 == 0:
                colour = 3
            rows.append(colour)
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 3, 0, 0, 0)
    plte = b"".join(bytes(c) for c in palette)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", ihdr) + png_chunk(b"PLTE", plte) +
            png_chunk(b"IDAT", stored_deflate(bytes(rows))) + png_chunk(b"IEND", b""))


def estimate_pdf():
    """A one-page PDF with the estimate's lines in Helvetica."""
    lines = ["Estimate No. 2026-1110", "Company newsletter, A4 colour, 16 pages",
             "300 copies ............ JPY 186,000", "Tax (10%) ............. JPY 18,600",
             "Total ................. JPY 204,600", "Valid until 30 Nov 2026"]
    text = "BT /F1 14 Tf 72 770 Td 20 TL\n"
    text += "".join("(%s) '\n" % line for line in lines) + "ET\n"
    objects = [
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R "
        "/Resources << /Font << /F1 5 0 R >> >> >>",
        "<< /Length %d >>\nstream\n%sendstream" % (len(text), text),
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
    ]
    out = "%PDF-1.4\n"
    offsets = []
    for number, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += "%d 0 obj\n%s\nendobj\n" % (number, body)
    xref = len(out)
    out += "xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    out += "".join("%010d 00000 n \n" % o for o in offsets)
    out += "trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (
        len(objects) + 1, xref)
    return out.encode("ascii")


def meisai_csv():
    rows = ["品目,数量,単価,金額", "社内報 A4 カラー 16ページ,300,620,186000",
            "消費税（10%）,,,18600", "合計,,,204600"]
    return (CRLF.join(rows) + CRLF).encode("cp932")


def mochimono_txt():
    rows = ["持ち物リスト（11月14日 高尾山）", "",
            "□ お弁当、おやつ", "□ 飲み物 500ml×2", "□ 雨具（上下）", "□ 帽子、手袋",
            "□ 軽い上着", "□ 交通系ICカード、小銭", "□ 保険証のコピー", "",
            "伊藤"]
    return (CRLF.join(rows) + CRLF).encode("cp932")


ATTACHMENTS = {
    "course-map.png": course_map_png,
    "estimate.pdf": estimate_pdf,
    "meisai.csv": meisai_csv,
    "mochimono.txt": mochimono_txt,
}


# --- Encodings for the placeholders ---------------------------------------------


def encoded_word_jis(text):
    return "=?ISO-2022-JP?B?" + base64.b64encode(text.encode("iso2022_jp")).decode() + "?="


def rfc2231_jis(text):
    safe = set(b"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._")
    data = text.encode("iso2022_jp")
    return "iso-2022-jp''" + "".join(chr(b) if b in safe else "%%%02X" % b for b in data)


def base64_lines(data):
    return base64.encodebytes(data).decode("ascii").rstrip("\n")


def quoted_printable(data):
    """Quoted-printable of CR LF text, soft line breaks before column 76."""
    out = []
    for line in data.split(b"\r\n")[:-1] if data.endswith(b"\r\n") else data.split(b"\r\n"):
        encoded = ""
        for i, b in enumerate(line):
            last = i == len(line) - 1
            if (33 <= b <= 126 and b != ord("=")) or (b == 32 and not last):
                piece = chr(b)
            else:
                piece = "=%02X" % b
            if len(encoded) + len(piece) > 75:
                out.append(encoded + "=")
                encoded = ""
            encoded += piece
        out.append(encoded)
    return "\n".join(out)


def uuencode(name, data):
    lines = ["begin 644 " + name]
    for start in range(0, len(data), 45):
        lines.append(binascii.b2a_uu(data[start:start + 45], backtick=True).decode().rstrip("\n"))
    lines += ["`", "end"]
    return "\n".join(lines)


def expand(text):
    def replace(match):
        kind, arg = match.group(1), match.group(2)
        if kind == "ew-jis":
            return encoded_word_jis(arg)
        if kind == "rfc2231-jis":
            return rfc2231_jis(arg)
        data = ATTACHMENTS[arg]()
        if kind == "base64":
            return base64_lines(data)
        if kind == "qp-cp932":
            return quoted_printable(data)
        if kind == "uuencode":
            return uuencode(arg, data)
        raise ValueError("unknown placeholder " + kind)

    return re.sub(r"\{\{([a-z0-9-]+):([^}]*)\}\}", replace, text)


# --- Mails and their index records ----------------------------------------------


class Mail:
    def __init__(self, folder, number, source):
        self.folder = folder
        self.number = number
        self.directives = {}
        lines = source.read_text(encoding="utf-8").split("\n")
        while lines and lines[0].startswith("#@ "):
            key, _, value = lines.pop(0)[3:].partition(":")
            self.directives[key.strip()] = value.strip()
        if lines and lines[-1] == "":
            lines.pop()
        self.encoding = self.directives.get("encoding", "cp932")
        self.text = expand("\n".join(lines))
        self.bytes = (self.text.replace("\n", CRLF) + CRLF).encode(self.encoding)
        self.fields, self.separator = self.read_header()

    def read_header(self):
        fields = []
        separator = False
        for line in self.text.split("\n"):
            if line == "" or line.startswith("-"):
                separator = line.startswith("-----")
                break
            if line[0] in " \t":
                if fields:
                    fields[-1][1] += line
                continue
            name, colon, value = line.partition(":")
            if colon:
                fields.append([name.lower(), value])
        return [(name, value.strip()) for name, value in fields], separator

    def field(self, name):
        for key, value in self.fields:
            if key == name:
                return value
        return ""

    def status_byte(self):
        status = self.field("x-status")
        if status:
            return STATUS_BYTES.get(status[:4], STATUS_STORED)
        return STATUS_DRAFT if self.separator else STATUS_STORED

    def time(self):
        date = self.field("date")
        if date:
            return int(email.utils.parsedate_to_datetime(date).timestamp())
        if "time" in self.directives:
            return int(datetime.datetime.fromisoformat(self.directives["time"]).timestamp())
        return 0

    def record(self):
        ids = lambda value: re.findall(r"<[^>]*>", value)
        own = (ids(self.field("message-id")) or [""])[0]
        parent = (ids(self.field("in-reply-to")) or [""])[0]
        if not parent:
            parent = (ids(self.field("references")) or [""])[-1]
        sender = (ids(self.field("from")) or ["<" + self.field("from") + ">"])[0][1:-1]
        return {
            "status": self.status_byte(),
            "time": self.time(),
            "strings": [sender, own, parent, self.field("subject")],
        }


def encode_record(record, encoding):
    strings = [s.encode(encoding) for s in record["strings"]]
    area = b"".join(s + b"\0" for s in strings)
    if len(area) > STRING_AREA:
        raise ValueError("index strings too long: %r" % record["strings"])
    head = bytes([record["status"], 0, 0, 0]) + struct.pack("<I", record["time"]) + bytes(4)
    return head + area + bytes(STRING_AREA - len(area))


def index_file(mails):
    header = MAGIC + bytes(20 - len(MAGIC)) + struct.pack("<I", VERSION)
    header += bytes(HEADER_SIZE - len(header))
    count = max((m.number for m in mails), default=-1) + 1
    by_number = {m.number: m for m in mails}
    records = []
    for i in range(count):
        mail = by_number.get(i)
        records.append(encode_record(mail.record(), mail.encoding) if mail else bytes(RECORD_SIZE))
    return header + b"".join(records)


def load_mails():
    folders = {}
    for folder, _ in FOLDERS:
        mails = []
        for source in sorted((SOURCES / folder).glob("[0-9][0-9][0-9][0-9].txt")):
            mails.append(Mail(folder, int(source.stem), source))
        folders[folder] = mails
    return folders


def check(folders):
    """The sample must keep what the examples README and the tests promise."""
    threaded = folders["in"] + folders["sent"]
    own_ids = {m.record()["strings"][1] for m in threaded}
    for mails in folders.values():
        for m in mails:
            if m.encoding == "cp932" and m.bytes.decode("cp932").encode("cp932") != m.bytes:
                raise ValueError("%s/%04d does not round-trip as CP932" % (m.folder, m.number))
            parent = m.record()["strings"][2]
            if parent and m.folder != "out" and parent not in own_ids:
                raise ValueError("%s/%04d answers an unknown id %s" % (m.folder, m.number, parent))
    recv = [m.number for m in folders["in"] if m.field("x-status") == "RECV"]
    if len(recv) < 2 or recv[0] != 8:
        raise ValueError("the first unread mail of in/ is the showcase 0008, got %s" % recv)


# --- Settings and side files ----------------------------------------------------

PELKMAIL_INI = """\
[Global Parameters]
FolderDefFile=folder.def
AliasFile=address.ali

[Folder]
Name0=in.fld
Name1=out.fld
Name2=trash.can
Name3=sent.fld

[Send]
; The sample store never sends: name a program here (for example
; "sendmail -t -oi") in a store of your own.
Command=

[Reply]
; Lines under a reply draft's separator; Varnel fills in the recipients and a greeting.
Template=%recipients%\\n%greeting1%
"""

FOLDER_DEF = """\
; Folder sorting rules, one per line: /pattern/ folder
/^FROM:.*campaign@shop.example.com/ trash.can
/^SUBJECT:.*未承諾広告/ trash.can
"""

ADDRESS_ALI = """\
; Address book
佐藤花子 <hanako.sato@example.jp>
山田太郎 <taro.yamada@example.com>
鈴木健太 <kenta.suzuki@example.com>
高橋美咲 <misaki.takahashi@example.jp>
伊藤誠 <makoto.ito@example.com>
木村浩之 <hiroyuki.kimura@sample-shoji.example.co.jp>
Claire Dubois <claire.dubois@example.com>
"""

VARNEL_INI = """\
[View]
EnglishMenu=0
"""


def cp932_crlf(text):
    return text.replace("\n", CRLF).encode("cp932")


def build_files():
    """Every generated file: relative path -> bytes."""
    folders = load_mails()
    check(folders)
    files = {}
    for folder, index_name in FOLDERS:
        for m in folders[folder]:
            files["%s/%04d.txt" % (folder, m.number)] = m.bytes
        files[index_name] = index_file(folders[folder])
    files["pelkmail.ini"] = cp932_crlf(PELKMAIL_INI)
    files["folder.def"] = cp932_crlf(FOLDER_DEF)
    files["address.ali"] = cp932_crlf(ADDRESS_ALI)
    files["varnel32.ini"] = VARNEL_INI.encode("ascii")
    return files


def mail_files(home):
    """Mail files now in the folders of home, as relative paths."""
    return {"%s/%s" % (folder, p.name)
            for folder, _ in FOLDERS
            for p in (home / folder).glob("[0-9][0-9][0-9][0-9].txt")}


def check_home(home, files):
    """Lists what differs between home and the generated files; True when nothing."""
    differ = [name for name, data in sorted(files.items())
              if not (home / name).is_file() or (home / name).read_bytes() != data]
    differ += sorted(mail_files(home) - set(files))
    for name in differ:
        print("mkstore: %s differs from its source" % (home / name))
    return not differ


def write_home(home, files):
    for stale in mail_files(home) - set(files):
        (home / stale).unlink()
    for name, data in files.items():
        path = home / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
        path.chmod(0o644)


def main(argv):
    args = argv[1:]
    checking = args[:1] == ["--check"]
    if checking:
        args = args[1:]
    if len(args) != 1:
        sys.stderr.write("usage: mkstore.py [--check] OUTPUT_DIR (for example examples/pelkhome)\n")
        return 2
    home = pathlib.Path(args[0])
    files = build_files()
    if checking:
        if not check_home(home, files):
            print("mkstore: regenerate with: python3 tools/mkstore/mkstore.py %s" % home)
            return 1
        return 0
    write_home(home, files)
    mails = sum(1 for name in files if name.endswith(".txt"))
    print("mkstore: %d mails in %d folders written to %s" % (mails, len(FOLDERS), home))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
