"""Mail generators for the benches: plain Japanese text, multipart with attachments, and
a folder of small mails. Deterministic, so every run measures the same bytes."""
import base64
import os
import random

# Japanese words in CP932, some ASCII, a quote marker and a link now and then.
_WORDS = [w.encode("cp932") for w in (
    "メール", "本文", "です。", "これは", "日本語", "の", "試験", "行", "漢字", "かな",
    "mail ", "viewer ", "text ", "> ", "http://example.com/a ", "、", "。")]


def _header(subject, extra):
    return (b"X-Status: " + (b"READ" if "read" in extra else b"RECV") + b"\r\n"
            b"From: sender@example.com\r\nTo: reader@example.com\r\n"
            b"Subject: " + subject + b"\r\n"
            b"Date: Mon, 1 Jan 2024 09:00:00 +0900\r\nMIME-Version: 1.0\r\n")


def plain(size, read=False, seed=1):
    """A Shift_JIS text/plain mail of about size bytes, lines of 20 to 70 bytes."""
    rng = random.Random(seed)
    out = [_header(b"plain", "read" if read else ""),
           b"Content-Type: text/plain; charset=Shift_JIS\r\n"
           b"Content-Transfer-Encoding: 8bit\r\n\r\n"]
    total = sum(len(p) for p in out)
    while total < size:
        target = rng.randint(20, 70)
        line = bytearray()
        while len(line) < target:
            line += _WORDS[rng.randrange(len(_WORDS))]
        line += b"\r\n"
        out.append(bytes(line))
        total += len(line)
    return b"".join(out)


def multipart(size, read=False, seed=1):
    """A text part, an HTML alternative and Base64 attachments filling about size bytes."""
    rng = random.Random(seed)
    out = [_header(b"multipart", "read" if read else ""),
           b'Content-Type: multipart/mixed;\r\n boundary="outer-boundary"\r\n\r\n'
           b"This is a multi-part message in MIME format.\r\n\r\n"
           b'--outer-boundary\r\nContent-Type: multipart/alternative; boundary="alt"\r\n\r\n'
           b"--alt\r\nContent-Type: text/plain; charset=Shift_JIS\r\n"
           b"Content-Transfer-Encoding: 8bit\r\n\r\n"]
    text = "これは本文です。 line\r\n".encode("cp932")
    out.append(text * 2000)
    out.append(b"--alt\r\nContent-Type: text/html; charset=Shift_JIS\r\n\r\n")
    out.append(b"<p>html line</p>\r\n" * 2000)
    out.append(b"--alt--\r\n\r\n")
    total = sum(len(p) for p in out)
    parts = 5
    per = max(1000, (size - total) // parts)
    for a in range(parts):
        raw = rng.randbytes(per * 3 // 4)
        b64 = base64.encodebytes(raw).replace(b"\n", b"\r\n")
        out.append(b"--outer-boundary\r\nContent-Type: application/octet-stream;\r\n"
                   b' name="part%d.bin"\r\nContent-Transfer-Encoding: base64\r\n\r\n' % a)
        out.append(b64)
        out.append(b"\r\n")
    out.append(b"--outer-boundary--\r\n")
    return b"".join(out)


def one_paragraph(size):
    """One paragraph of size bytes with no line end, for the wrap and paint benches."""
    unit = "日本語の長い段落 text ".encode("cp932")
    return (unit * (size // len(unit) + 1))[:size]


def small_folder(directory, count, seed=1):
    """count small mails of about 2 KB, named as the mailer names them."""
    os.makedirs(directory, exist_ok=True)
    names = []
    for i in range(count):
        m = plain(2000, seed=seed + i)
        name = os.path.join(directory, "%04d.txt" % (i + 1))
        with open(name, "wb") as f:
            f.write(m)
        names.append(name)
    return names


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)
    return path
