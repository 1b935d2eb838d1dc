"""Reference for --dump: Python's email package parses each mail named on the command
line, walks its parts and writes every text part decoded to UTF-8 on standard output."""
import email
import sys


def dump(path, out):
    with open(path, "rb") as f:
        msg = email.message_from_binary_file(f)
    for key, value in msg.items():
        out.write(("%s: %s\n" % (key, value)).encode("utf-8", "replace"))
    out.write(b"\n")
    for part in msg.walk():
        if part.is_multipart():
            continue
        if part.get_content_maintype() == "text":
            raw = part.get_payload(decode=True) or b""
            charset = part.get_content_charset() or "us-ascii"
            if charset.lower() in ("shift_jis", "sjis", "x-sjis"):
                charset = "cp932"
            out.write(raw.decode(charset, "replace").encode("utf-8"))
        else:
            out.write(("[%s]\n" % part.get_filename()).encode("utf-8", "replace"))


def main():
    out = sys.stdout.buffer
    for path in sys.argv[1:]:
        dump(path, out)


if __name__ == "__main__":
    main()
