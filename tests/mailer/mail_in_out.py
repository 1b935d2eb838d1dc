#!/usr/bin/env python3
"""Real mail in and out through the stand-in mailer, with Python's email package as the
oracle.

  mail_in_out.py import  PELKMAIL VARNEL32   corpus imported, read back with --dump
  mail_in_out.py receive PELKMAIL            [Receive] on a Maildir, killed at random
  mail_in_out.py send    PELKMAIL            finished drafts piped to a recording command
"""
import email
import email.header
import email.policy
import mailbox
import os
import random
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
from email.message import EmailMessage, Message
from email.mime.application import MIMEApplication
from email.mime.multipart import MIMEMultipart
from email.mime.text import MIMEText
from email.mime.message import MIMEMessage

HERE = os.path.dirname(os.path.abspath(__file__))
EXAMPLES = os.path.join(HERE, "..", "..", "examples", "pelkhome")
FAILURES = []

# Characters whose CP932 and JIS/Unicode readings differ; both sides are compared in the
# CP932 reading.
CP932_READING = str.maketrans({"\u301c": "\uff5e", "\u2016": "\u2225", "\u2212": "\uff0d",
                               "\u00a2": "\uffe0", "\u00a3": "\uffe1", "\u00ac": "\uffe2",
                               "\u2014": "\u2015"})


def check(cond, what):
    if not cond:
        FAILURES.append(what)
        print("FAIL:", what)


def cp932_view(text):
    """The text as the viewer shows it: CP932 readings, "〓" for what CP932 lacks."""
    out = []
    for ch in text.translate(CP932_READING):
        try:
            ch.encode("cp932")
            out.append(ch)
        except UnicodeEncodeError:
            out.append("\u3013")
    return "".join(out)


def lines_of(text):
    lines = [l.rstrip() for l in text.replace("\r\n", "\n").replace("\r", "\n").split("\n")]
    while lines and not lines[0]:
        lines.pop(0)
    while lines and not lines[-1]:
        lines.pop()
    return lines


def new_home(tmp):
    home = os.path.join(tmp, "home")
    os.makedirs(home)
    with open(os.path.join(home, "pelkmail.ini"), "wb") as f:
        f.write(b"[Folder]\r\nName0=in.fld\r\nName1=out.fld\r\nName2=trash.can\r\n"
                b"Name3=sent.fld\r\n")
    for d in ("in", "out", "sent", "trash"):
        os.makedirs(os.path.join(home, d))
    return home


def index_records(index):
    """(number, status, own id) of every non-empty record of a folder index file."""
    recs = []
    with open(index, "rb") as f:
        data = f.read()
    for i in range((len(data) - 128) // 512):
        r = data[128 + 512 * i:128 + 512 * (i + 1)]
        if r[0]:
            strings = r[12:].split(b"\0")
            recs.append((i, r[0], strings[1]))
    return recs


# ---------------------------------------------------------------- the corpus

JA = "日本語のメールです。\n二行目：漢字とかなとカナ、記号〜も。\n"


def text_mail(charset, cte, subject, body, sender="山田 太郎 <taro@example.jp>"):
    m = Message()
    m["From"] = email.header.Header(sender.split(" <")[0], "utf-8").encode() + " <" + \
        sender.split(" <")[1]
    m["To"] = "hanako@example.jp"
    m["Subject"] = email.header.Header(subject, charset if charset != "euc-jp" else "utf-8",
                                       ).encode()
    m["Message-ID"] = email.utils.make_msgid(domain="corpus.example")
    m["Date"] = email.utils.formatdate(localtime=True)
    m["MIME-Version"] = "1.0"
    m["Content-Type"] = 'text/plain; charset="%s"' % charset
    raw = body.encode(charset)
    if cte == "base64":
        import base64
        payload = base64.encodebytes(raw).decode("ascii")
    elif cte == "quoted-printable":
        import quopri
        payload = quopri.encodestring(raw).decode("ascii")
    else:
        payload = raw.decode("latin-1")
    m["Content-Transfer-Encoding"] = cte
    m.set_payload(payload)
    return m.as_bytes()


def corpus():
    mails = []
    mails.append(text_mail("iso-2022-jp", "7bit", "会議の件", JA))
    mails.append(text_mail("iso-2022-jp", "base64", "JISをBase64で", JA))
    mails.append(text_mail("utf-8", "base64", "UTF-8 本文 ✓", JA + "絵文字😀と①と髙。\n"))
    mails.append(text_mail("utf-8", "quoted-printable", "引用符付き印字可能", JA))
    mails.append(text_mail("euc-jp", "base64", "EUC-JP です", JA))
    mails.append(text_mail("euc-jp", "quoted-printable", "EUC QP", JA))
    mails.append(text_mail("shift_jis", "quoted-printable", "シフトJIS QP", JA))
    mails.append(text_mail("shift_jis", "base64", "シフトJIS Base64", JA))
    # Encoded words in Q form and split across words, and a name in To.
    m = EmailMessage()
    m["From"] = "佐藤 花子 <hanako@example.jp>"
    m["To"] = "鈴木 一郎 <ichiro@example.jp>, jiro@example.jp"
    m["Subject"] = "長い件名は" * 8 + "おしまい"
    m.set_content("本文は短い。\n", cte="quoted-printable")
    mails.append(bytes(m))
    # Multipart with attachments, one with a Japanese name.
    mm = MIMEMultipart()
    mm["From"] = "taro@example.jp"
    mm["To"] = "hanako@example.jp"
    mm["Subject"] = email.header.Header("添付ファイル", "iso-2022-jp").encode()
    mm.attach(MIMEText("資料を送ります。\nよろしく。\n", "plain", "iso-2022-jp"))
    a = MIMEApplication(bytes(range(256)) * 37, "pdf")
    a.add_header("Content-Disposition", "attachment", filename=("utf-8", "", "資料.pdf"))
    mm.attach(a)
    b = MIMEApplication(b"\x89PNG\r\n" + os.urandom(5000), "octet-stream")
    b.add_header("Content-Disposition", "attachment", filename="photo.png")
    mm.attach(b)
    t = MIMEText("名前付きのテキストは添付のまま\n", "plain", "utf-8")
    t.add_header("Content-Disposition", "attachment", filename="memo.txt")
    mm.attach(t)
    mails.append(mm.as_bytes())
    # Alternative text and HTML inside mixed.
    alt = MIMEMultipart("alternative")
    alt.attach(MIMEText("テキスト版の本文\n", "plain", "utf-8"))
    alt.attach(MIMEText("<p>HTML版</p>", "html", "utf-8"))
    mixed = MIMEMultipart()
    mixed["Subject"] = "=?UTF-8?Q?HTML=E3=81=A8=E3=83=86=E3=82=AD=E3=82=B9=E3=83=88?="
    mixed["From"] = "x@example.jp"
    mixed["To"] = "y@example.jp"
    mixed.attach(alt)
    mixed.attach(MIMEApplication(b"zipdata" * 300, "zip", Name="a.zip"))
    mails.append(mixed.as_bytes())
    # A forward: text, then the forwarded ISO-2022-JP mail as message/rfc822.
    inner = email.message_from_bytes(mails[0])
    fw = MIMEMultipart()
    fw["From"] = "hanako@example.jp"
    fw["To"] = "saburo@example.jp"
    fw["Subject"] = email.header.Header("Fw: 会議の件", "iso-2022-jp").encode()
    fw.attach(MIMEText("転送します。\n", "plain", "utf-8"))
    fw.attach(MIMEMessage(inner))
    mails.append(fw.as_bytes())
    return mails


def expectations(raw):
    """Subject, text parts and attachments (name, size) as Python reads the message."""
    msg = email.message_from_bytes(raw, policy=email.policy.default)
    texts, attachments = [], []
    for part in msg.walk():
        if part.is_multipart() or part.get_content_type() == "message/rfc822":
            continue
        name = part.get_filename()
        if name:
            attachments.append((name, len(part.get_payload(decode=True))))
        elif part.get_content_type() == "text/plain":
            texts.append(part.get_content())
    return str(msg["subject"]), texts, attachments


ATTACHED = re.compile(r'^\.------ Attached File:\s*([\d,]+) bytes  "?(.*?)"?$')


def test_import(pelkmail, varnel):
    tmp = tempfile.mkdtemp()
    try:
        home = new_home(tmp)
        mails = corpus()
        srcs = os.path.join(tmp, "src")
        os.makedirs(srcs)
        # Half as single files, half through an mbox, one through a Maildir.
        box = mailbox.mbox(os.path.join(srcs, "box.mbox"))
        md = mailbox.Maildir(os.path.join(srcs, "Maildir"))
        sources = []
        for i, raw in enumerate(mails):
            if i % 3 == 0:
                p = os.path.join(srcs, "m%02d.eml" % i)
                open(p, "wb").write(raw)
                sources.append(p)
            elif i % 3 == 1:
                box.add(raw)
            else:
                md.add(raw)
        box.flush()
        # The order pelkmail stores them: the .eml files, then the mbox, then the Maildir.
        order = [mails[i] for i in range(len(mails)) if i % 3 == 0]
        order += [mails[i] for i in range(len(mails)) if i % 3 == 1]
        md_keys = sorted(os.listdir(os.path.join(srcs, "Maildir", "new")))
        by_key = {k: md.get_bytes(k) for k in md.keys()}
        order += [by_key[k] for k in md_keys]
        garbage = b"\x00\x01 not a mail at all\n\xff\xfe"
        open(os.path.join(srcs, "junk.eml"), "wb").write(garbage)
        r = subprocess.run([pelkmail, "--home", home, "--import"] + sources +
                           [os.path.join(srcs, "box.mbox"), os.path.join(srcs, "Maildir"),
                            os.path.join(srcs, "junk.eml")],
                           capture_output=True)
        check(r.returncode == 0, "import exit status %d: %s" % (r.returncode, r.stderr))
        stored = sorted(os.listdir(os.path.join(home, "in")))
        check(len(stored) == len(order) + 1, "stored %d mails" % len(stored))
        recs = index_records(os.path.join(home, "in.fld"))
        check([n for n, _, _ in recs] == list(range(1, len(order) + 2)),
              "index records %s" % [n for n, _, _ in recs])
        check(all(s == 1 for _, s, _ in recs), "every record is new")
        for n, raw in enumerate(order, start=1):
            path = os.path.join(home, "in", "%04d.txt" % n)
            data = open(path, "rb").read()
            check(data.startswith(b"X-Status: RECV\r\n"), "%s starts with RECV" % path)
            dump = subprocess.run([varnel, "--dump", path], capture_output=True,
                                  env=dict(os.environ, QT_QPA_PLATFORM="offscreen",
                                           VARNEL_INI=os.path.join(tmp, "none.ini")))
            shown = dump.stdout.decode("utf-8", "replace")
            shown_lines = [l.rstrip() for l in shown.split("\n")]
            joined = "\n".join(shown_lines)
            subject, texts, attachments = expectations(raw)
            check("Subject: " + cp932_view(subject) in shown_lines,
                  "%s: subject %r in %r" % (path, subject, shown_lines[:6]))
            for t in texts:
                want = "\n".join(lines_of(cp932_view(t)))
                check(want in joined, "%s: text %r in dump\n%s" % (path, want, joined))
            got = []
            for l in shown_lines:
                mo = ATTACHED.match(l)
                if mo:
                    got.append((mo.group(2), int(mo.group(1).replace(",", ""))))
            check(got == attachments, "%s: attachments %s, want %s" % (path, got, attachments))
        last = open(os.path.join(home, "in", "%04d.txt" % (len(order) + 1)), "rb").read()
        check(last == b"X-Status: RECV\r\n" + garbage, "an unparsable mail is stored as it came")

        # Damaged mail (cut short, bytes changed, lines dropped) is stored, never dropped.
        rng = random.Random(7)
        damaged = mailbox.Maildir(os.path.join(srcs, "Damaged"))
        for i in range(300):
            raw = bytearray(mails[i % len(mails)])
            kind = i % 3
            if kind == 0:
                raw = raw[:rng.randrange(len(raw))]
            elif kind == 1:
                for _ in range(rng.randrange(1, 40)):
                    raw[rng.randrange(len(raw))] = rng.choice(b"\r\n-=?:;\"\x1b\x00\xff ")
            else:
                lines = bytes(raw).split(b"\n")
                del lines[rng.randrange(len(lines))]
                raw = bytearray(b"\n".join(lines))
            damaged.add(bytes(raw))
        home2 = os.path.join(tmp, "home2")
        os.makedirs(home2)
        r = subprocess.run([pelkmail, "--home", home2, "--import",
                            os.path.join(srcs, "Damaged")], capture_output=True)
        check(r.returncode == 0, "damaged import status %d %s" % (r.returncode, r.stderr[-500:]))
        check(len(os.listdir(os.path.join(home2, "in"))) == 300, "every damaged mail is stored")
    finally:
        shutil.rmtree(tmp)


# ---------------------------------------------------------------- receiving, killed

def test_receive(pelkmail):
    tmp = tempfile.mkdtemp()
    try:
        home = new_home(tmp)
        md_path = os.path.join(tmp, "Maildir")
        md = mailbox.Maildir(md_path)
        with open(os.path.join(home, "pelkmail.ini"), "ab") as f:
            f.write(b"[Receive]\r\nMaildir=" + md_path.encode() + b"\r\n")
        base = corpus()
        ids = []
        for i in range(150):
            m = email.message_from_bytes(base[i % len(base)])
            del m["Message-ID"]
            mid = "<kill-%d@corpus.example>" % i
            m["Message-ID"] = mid
            ids.append(mid)
            md.add(m.as_bytes())
        rng = random.Random(19)
        kills = 0
        # Each run is killed at a random moment once it has stored 0 to 3 more mails
        # (whatever the machine's speed), then one run is left to finish.
        inbox = os.path.join(home, "in")
        for attempt in range(61):
            if not os.listdir(os.path.join(md_path, "new")):
                break
            target = len(os.listdir(inbox)) + rng.randint(0, 3)
            p = subprocess.Popen([pelkmail, "--home", home, "--receive"],
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            if attempt < 60:
                while p.poll() is None and len(os.listdir(inbox)) < target:
                    time.sleep(0.001)
                time.sleep(rng.uniform(0, 0.003))
                if p.poll() is None:
                    p.send_signal(signal.SIGKILL)
                    kills += 1
            p.wait()
        print("killed %d times" % kills)
        check(kills >= 10, "killed only %d times" % kills)
        check(not os.listdir(os.path.join(md_path, "new")), "new/ is empty")
        cur = os.listdir(os.path.join(md_path, "cur"))
        check(len(cur) == 150 and all(n.endswith(":2,S") for n in cur),
              "cur/ holds every mail with the S flag")
        found = {}
        for name in sorted(os.listdir(os.path.join(home, "in"))):
            if not re.fullmatch(r"\d{4}\.txt", name):
                continue
            data = open(os.path.join(home, "in", name), "rb").read()
            mo = re.search(rb"\r\nMessage-ID: (<[^>]*>)", data, re.I)
            found.setdefault(mo.group(1).decode() if mo else None, []).append(name)
        dups = {k: v for k, v in found.items() if len(v) > 1}
        check(not dups, "stored twice: %s" % dups)
        check(sorted(k for k in found if k) == sorted(ids),
              "every mail stored: %d of %d" % (len(found), len(ids)))
        recs = index_records(os.path.join(home, "in.fld"))
        files = sorted(int(n[:4]) for v in found.values() for n in v)
        check([n for n, _, _ in recs] == files, "an index record for every mail file")

        # The same through the running stand-in's [Receive] command.
        md.add(base[0])
        rt = os.path.join(tmp, "rt")
        os.makedirs(rt, mode=0o700)
        env = dict(os.environ, VARNEL_RUNTIME_DIR=rt)
        p = subprocess.Popen([pelkmail, "--home", home, "--log", os.path.join(tmp, "log"),
                              "--varnel", "/bin/true"], env=env)
        try:
            sock = os.path.join(rt, "pelk.command")
            for _ in range(500):
                if os.path.exists(sock):
                    break
                time.sleep(0.01)
            s = socket.socket(socket.AF_UNIX)
            s.connect(sock)
            s.sendall(b"[Receive]\0")
            check(s.recv(1) == b"1", "[Receive] accepted")
            s.close()
            for _ in range(500):
                if not os.listdir(os.path.join(md_path, "new")):
                    break
                time.sleep(0.01)
            check(os.path.exists(os.path.join(home, "in", "%04d.txt" % (len(files) + 1))),
                  "[Receive] stored the new mail")
        finally:
            p.terminate()
            p.wait()

        # With an interval the stand-in looks by itself.
        with open(os.path.join(home, "pelkmail.ini"), "ab") as f:
            f.write(b"Interval=1\r\n")
        p = subprocess.Popen([pelkmail, "--home", home, "--log", os.path.join(tmp, "log"),
                              "--varnel", "/bin/true"], env=env)
        try:
            md.add(base[1])
            check(wait_for(lambda: not os.listdir(os.path.join(md_path, "new")), 5),
                  "the interval took the new mail")
            check(os.path.exists(os.path.join(home, "in", "%04d.txt" % (len(files) + 2))),
                  "the interval stored it")
        finally:
            p.terminate()
            p.wait()
    finally:
        shutil.rmtree(tmp)


# ---------------------------------------------------------------- sending

RECORDER = """#!/bin/sh
echo "$@" > "$0.args.$$"
if [ -n "$FAIL" ]; then cat > /dev/null; exit "$FAIL"; fi
cat > "$0.part.$$" && mv "$0.part.$$" "$0.out.$$"
"""


def cp932_lines(*lines):
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def test_send(pelkmail):
    tmp = tempfile.mkdtemp()
    try:
        home = new_home(tmp)
        rec = os.path.join(tmp, "record")
        open(rec, "w").write(RECORDER)
        os.chmod(rec, 0o755)
        with open(os.path.join(home, "pelkmail.ini"), "ab") as f:
            f.write(b"[Send]\r\nCommand=" + rec.encode() + b" -t -oi\r\nFrom=" +
                    "自分 <me@example.jp>".encode("cp932") + b"\r\n")
        # Import a mail, then write its reply as Varnel's Send Mail leaves it.
        orig = text_mail("iso-2022-jp", "7bit", "会議の件", JA)
        open(os.path.join(tmp, "orig.eml"), "wb").write(orig)
        subprocess.run([pelkmail, "--home", home, "--import", os.path.join(tmp, "orig.eml")],
                       check=True, capture_output=True)
        orig_id = email.message_from_bytes(orig)["Message-ID"]
        typed_ja = "お返事です。\r\n明日の会議に出ます。"
        cases = [
            ("jis", cp932_lines("To: 山田 太郎 <taro@example.jp>,",
                                "    jiro@example.jp",
                                "Cc: ",
                                "Subject: Re: 会議の件",
                                "In-Reply-To: " + orig_id,
                                "References: " + orig_id,
                                "--------", "", typed_ja, "", "> 日本語のメールです。"),
             "iso-2022-jp", typed_ja + "\r\n\r\n> 日本語のメールです。"),
            ("nec", cp932_lines("To: taro@example.jp", "Subject: ①の件",
                                "--------", "", "①②の件です"),
             "utf-8", "①②の件です"),
            ("ibm", cp932_lines("To: taro@example.jp", "Subject: 髙橋さんと半角ｶﾅ",
                                "--------", "", "髙と半角ｶﾅ"),
             "utf-8", "髙と半角ｶﾅ"),
        ]
        for name, draft, charset, typed in cases:
            path = os.path.join(home, "out", "%04d.txt" % (cases.index((name, draft, charset,
                                                                        typed)) + 1))
            open(path, "wb").write(draft)
            r = subprocess.run([pelkmail, "--home", home, "--send", path], capture_output=True)
            check(r.returncode == 0, "%s: send status %d %s" % (name, r.returncode, r.stderr))
            outs = [f for f in os.listdir(tmp) if f.startswith("record.out.")]
            check(len(outs) == 1, "%s: one message piped" % name)
            if not outs:
                continue
            sent_bytes = open(os.path.join(tmp, outs[0]), "rb").read()
            args = open(os.path.join(tmp, outs[0].replace("out", "args")), "r").read()
            for f in os.listdir(tmp):
                if f.startswith("record."):
                    os.remove(os.path.join(tmp, f))
            check(args.strip() == "-t -oi", "%s: arguments %r" % (name, args))
            check(all(b < 0x80 for b in sent_bytes), "%s: the message is 7-bit" % name)
            msg = email.message_from_bytes(sent_bytes, policy=email.policy.default)
            body = msg.get_body(("plain",))
            check(body.get_content_charset() == charset, "%s: charset %s" % (name,
                                                                          body.get_content_charset()))
            check(lines_of(body.get_content()) == lines_of(typed.replace("\r\n", "\n")),
                  "%s: body %r" % (name, body.get_content()))
            check(msg["Date"] is not None and msg["Message-ID"] is not None,
                  "%s: Date and Message-ID" % name)
            check(str(msg["From"]) == "自分 <me@example.jp>", "%s: From %s" % (name, msg["From"]))
            draft_head = email.message_from_bytes(draft.split(b"--------")[0],
                                                  policy=email.policy.default)
            want_subject = draft.decode("cp932").split("Subject: ")[1].split("\r\n")[0]
            check(str(msg["Subject"]) == want_subject, "%s: subject %s" % (name, msg["Subject"]))
            if name == "jis":
                to = msg["To"].addresses
                check([(a.display_name, a.addr_spec) for a in to] ==
                      [("山田 太郎", "taro@example.jp"), ("", "jiro@example.jp")],
                      "jis: To %s" % msg["To"])
                check(msg["In-Reply-To"] == orig_id and msg["References"] == orig_id,
                      "jis: In-Reply-To and References")
                check(msg["Cc"] is None, "jis: an empty Cc is left out")
            check(not os.path.exists(path), "%s: the draft left out/" % name)
            del draft_head
        sent = sorted(os.listdir(os.path.join(home, "sent")))
        check(len(sent) == 3, "three copies in sent/: %s" % sent)
        first = open(os.path.join(home, "sent", "0001.txt"), "rb").read()
        check(first.startswith(b"X-Status: SNDR\r\n"), "the sent copy has status SNDR")
        check("明日の会議に出ます。".encode("cp932") in first, "the sent copy is in CP932")
        recs = index_records(os.path.join(home, "sent.fld"))
        check(len(recs) == 3 and recs[0][1] == 5, "sent index records %s" % recs)

        # A failing command leaves the draft and reports it in in/.
        path = os.path.join(home, "out", "0004.txt")
        open(path, "wb").write(cases[0][1])
        before = set(os.listdir(os.path.join(home, "in")))
        r = subprocess.run([pelkmail, "--home", home, "--send", path], capture_output=True,
                           env=dict(os.environ, FAIL="75"))
        check(r.returncode != 0 and b"status 75" in r.stderr, "failure reported: %r" % r.stderr)
        check(os.path.exists(path), "the draft stays in out/")
        new = set(os.listdir(os.path.join(home, "in"))) - before
        check(len(new) == 1, "a report in in/")
        for f in new:
            report = open(os.path.join(home, "in", f), "rb").read()
            check(report.startswith(b"X-Status: RECV") and path.encode() in report,
                  "the report names the draft")
        check(len(os.listdir(os.path.join(home, "sent"))) == 3, "nothing more in sent/")
    finally:
        shutil.rmtree(tmp)


# ---------------------------------------------------------------- reply and send, running

FAKE_VIEWER = """#!/usr/bin/env python3
# Stands in for Varnel's window on a draft: types the reply under the separator, writes
# the draft back (temporary file and rename) as Send Mail does, waits for the test's
# go-ahead, and closes. With no text to type it closes without writing.
import os, sys, time
draft, typed = sys.argv[1], os.environ.get("TYPED", "")
if typed and "/out/" in draft:
    lines = open(draft, "rb").read().decode("cp932").split("\\r\\n")
    if os.environ.get("TO"):
        lines = [("To: " + os.environ["TO"]) if l.startswith("To:") else l for l in lines]
    lines = [l for l in lines if not (l.startswith("%") and l.endswith("%"))]  # template
    sep = next(i for i, l in enumerate(lines) if l.startswith("-------"))
    at = sep + 2
    if lines[sep + 1].startswith("--"):  # the new text's own part: after its header
        at = lines.index("", sep + 1) + 1
    lines[at:at] = typed.split("\\n") + [""]
    open(draft + ".tmp", "wb").write("\\r\\n".join(lines).encode("cp932"))
    os.rename(draft + ".tmp", draft)
go = os.environ.get("GO")
while go and not os.path.exists(go):
    time.sleep(0.02)
"""


def execute(rt, service, macro):
    s = socket.socket(socket.AF_UNIX)
    s.connect(os.path.join(rt, service))
    s.sendall(macro.encode("utf-8") + b"\0")
    answer = s.recv(1)
    s.close()
    return answer


def wait_for(cond, seconds=10):
    end = time.time() + seconds
    while time.time() < end:
        if cond():
            return True
        time.sleep(0.05)
    return cond()


def test_reply_and_send(pelkmail):
    tmp = tempfile.mkdtemp()
    procs = []
    try:
        home = new_home(tmp)
        rec = os.path.join(tmp, "record")
        open(rec, "w").write(RECORDER)
        os.chmod(rec, 0o755)
        viewer = os.path.join(tmp, "viewer")
        open(viewer, "w").write(FAKE_VIEWER)
        os.chmod(viewer, 0o755)
        with open(os.path.join(home, "pelkmail.ini"), "ab") as f:
            f.write(b"[Send]\r\nCommand=" + rec.encode() + b" -t -oi\r\n")
        orig = text_mail("iso-2022-jp", "base64", "会議の件", JA)
        open(os.path.join(tmp, "orig.eml"), "wb").write(orig)
        subprocess.run([pelkmail, "--home", home, "--import", os.path.join(tmp, "orig.eml")],
                       check=True, capture_output=True)
        orig_msg = email.message_from_bytes(orig, policy=email.policy.default)
        rt = os.path.join(tmp, "rt")
        os.makedirs(rt, mode=0o700)
        go = os.path.join(tmp, "go")
        typed = "承知しました。\n明日伺います。"

        def start(extra, env):
            p = subprocess.Popen([pelkmail, "--home", home, "--log", os.path.join(tmp, "log"),
                                  "--varnel", viewer] + extra,
                                 env=dict(os.environ, VARNEL_RUNTIME_DIR=rt, **env))
            procs.append(p)
            wait_for(lambda: os.path.exists(os.path.join(rt, "pelk.command")))
            return p

        def recorded():
            return [f for f in os.listdir(tmp) if f.startswith("record.out.")]

        index = os.path.join(home, "in.fld")
        # The window writes the draft back and stays open: nothing is sent until it closes.
        p = start([], {"TYPED": typed, "GO": go})
        check(execute(rt, "pelk.command", "[Reply(%s,0001)]" % index) == b"1", "Reply accepted")
        draft = os.path.join(home, "out", "0001.txt")
        check(wait_for(lambda: os.path.exists(draft) and
                       "承知".encode("cp932") in open(draft, "rb").read()), "draft written back")
        time.sleep(1.2)
        check(not recorded(), "nothing sent while the window is open")
        open(go, "w").close()
        check(wait_for(lambda: recorded()), "sent once the window closed")
        if recorded():
            out = open(os.path.join(tmp, recorded()[0]), "rb").read()
            msg = email.message_from_bytes(out, policy=email.policy.default)
            check(lines_of(msg.get_body(("plain",)).get_content())[:2] == typed.split("\n"),
                  "the typed text is sent: %r" % msg.get_body(("plain",)).get_content())
            check(msg["To"] == orig_msg["From"], "To %s, want %s" % (msg["To"], orig_msg["From"]))
            check(msg["Subject"] == "Re: 会議の件", "Subject %s" % msg["Subject"])
            check(msg["In-Reply-To"] == orig_msg["Message-ID"] and
                  msg["References"] == orig_msg["Message-ID"], "In-Reply-To and References")
        check(wait_for(lambda: not os.path.exists(draft)), "the draft moved out of out/")
        check(os.listdir(os.path.join(home, "sent")) == ["0001.txt"], "the copy is in sent/")
        p.terminate()
        p.wait()
        for f in recorded():
            os.remove(os.path.join(tmp, f))

        # A forward of a mail with attachments: the forwarded mail and its attachments
        # travel as MIME parts behind the typed text.
        fwd = corpus()[9]
        open(os.path.join(tmp, "fwd.eml"), "wb").write(fwd)
        subprocess.run([pelkmail, "--home", home, "--import", os.path.join(tmp, "fwd.eml")],
                       check=True, capture_output=True)
        if os.path.exists(go):
            os.remove(go)
        p = start([], {"TYPED": "転送します。", "TO": "saburo@example.jp"})
        check(execute(rt, "pelk.command", "[Forward(%s,0002)]" % index) == b"1",
              "Forward accepted")
        check(wait_for(lambda: recorded()), "the forward was sent")
        if recorded():
            out = open(os.path.join(tmp, recorded()[0]), "rb").read()
            msg = email.message_from_bytes(out, policy=email.policy.default)
            check(all(b < 0x80 for b in out), "the forward is 7-bit")
            check(msg["To"] == "saburo@example.jp", "forward To %s" % msg["To"])
            check(msg["Subject"] == "Fw: 添付ファイル", "forward Subject %s" % msg["Subject"])
            check(lines_of(msg.get_body(("plain",)).get_content()) == ["転送します。"],
                  "forward text %r" % msg.get_body(("plain",)).get_content())
            _, texts, attachments = expectations(fwd)
            _, sent_texts, sent_attachments = expectations(out)
            check(sent_attachments == attachments,
                  "forwarded attachments %s, want %s" % (sent_attachments, attachments))
            check([lines_of(t) for t in sent_texts[1:]] == [lines_of(t) for t in texts],
                  "forwarded text %r" % sent_texts)
        p.terminate()
        p.wait()
        for f in recorded():
            os.remove(os.path.join(tmp, f))

        # A window closed without writing the draft sends nothing.
        p = start([], {})
        check(execute(rt, "pelk.command", "[Reply(%s,0001)]" % index) == b"1", "Reply accepted")
        time.sleep(1.5)
        check(not recorded(), "a draft closed unwritten is not sent")
        p.terminate()
        p.wait()

        # A failing send leaves the draft, and the report is shown in a viewer window.
        p = start([], {"TYPED": typed, "FAIL": "75"})
        check(execute(rt, "pelk.command", "[Reply(%s,0001)]" % index) == b"1", "Reply accepted")
        log = os.path.join(tmp, "log")
        check(wait_for(lambda: "# send failed" in open(log, encoding="utf-8",
                                                       errors="replace").read()),
              "the failure is logged")
        p.terminate()
        p.wait()
        failed = [l for l in open(log, encoding="utf-8", errors="replace")
                  if l.startswith("# send failed")]
        draft = failed[0][len("# send failed: "):].split(": ")[0] if failed else ""
        report = re.search(r"reported in (\S+)\)", failed[0]).group(1) if failed else ""
        check(os.path.exists(draft) and "/out/" in draft, "the draft %s stays" % draft)
        check(report and ("# start %s %s" % (viewer, report)) in open(log).read(),
              "the report %s is shown" % report)
        check(not recorded(), "nothing recorded by a failing command")

        # A draft handed to a listening window by request is sent when that window ends.
        p = start(["--drafts-by-request"], {})
        srv = socket.socket(socket.AF_UNIX)
        sock = os.path.join(rt, "varnel32.system")
        srv.bind(sock)
        srv.listen(1)
        check(execute(rt, "pelk.command", "[Reply(%s,0001)]" % index) == b"1", "Reply accepted")
        conn, _ = srv.accept()
        request = b""
        while not request.endswith(b"\0"):
            request += conn.recv(4096)
        conn.sendall(b"1")
        conn.close()
        path = request[len(b'[open("'):-len(b'")]\0')].decode()
        subprocess.run([viewer, path], env=dict(os.environ, TYPED=typed), check=True)
        time.sleep(1.2)
        check(not recorded(), "nothing sent while the window listens")
        srv.close()
        os.remove(sock)
        check(wait_for(lambda: recorded()), "sent once the window's socket is gone")
        p.terminate()
        p.wait()

        # A store that names no send command keeps finished drafts, without a report.
        ini = os.path.join(home, "pelkmail.ini")
        text = open(ini, "rb").read()
        open(ini, "wb").write(re.sub(rb"Command=[^\r\n]*", b"Command=", text))
        if os.path.exists(go):
            os.remove(go)
        inbox = set(os.listdir(os.path.join(home, "in")))
        p = start([], {"TYPED": typed})
        check(execute(rt, "pelk.command", "[Reply(%s,0001)]" % index) == b"1", "Reply accepted")
        log = os.path.join(tmp, "log")
        check(wait_for(lambda: "# kept " in open(log, encoding="utf-8", errors="replace").read()),
              "a finished draft is kept when nothing may send it")
        check(set(os.listdir(os.path.join(home, "in"))) == inbox, "no report for a kept draft")
        p.terminate()
        p.wait()
    finally:
        for p in procs:
            if p.poll() is None:
                p.kill()
                p.wait()
        shutil.rmtree(tmp)


if __name__ == "__main__":
    what = sys.argv[1]
    if what == "import":
        test_import(sys.argv[2], sys.argv[3])
    elif what == "receive":
        test_receive(sys.argv[2])
    elif what == "send":
        test_send(sys.argv[2])
        test_reply_and_send(sys.argv[2])
    else:
        sys.exit("unknown group " + what)
    print("%d failure(s)" % len(FAILURES))
    sys.exit(1 if FAILURES else 0)
