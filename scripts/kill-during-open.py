#!/usr/bin/env python3
"""Kill -9 at random moments while the viewer opens (and marks read) a 20 MB unread mail.
Every mail file must be the old or the new bytes, never cut; after one more open no
temporary file of ours is left. Usage: scripts/kill-during-open.py build/bin/varnel32 300"""
import os, random, signal, subprocess, sys, tempfile, time, hashlib

exe, runs = sys.argv[1], int(sys.argv[2])
root = tempfile.mkdtemp(prefix="vkill")
os.makedirs(root + "/pelk/in"); os.makedirs(root + "/rt", mode=0o700)
mail = root + "/pelk/in/0001.txt"
body = ("本文の行です。ム麾檗 line of text for the kill test\r\n".encode("cp932")) * 330000
old = b"X-Status: RECV\r\nDate: Sun, 06 Dec 2026 09:00:00 +0900\r\nFrom: a@example.jp\r\nSubject: big\r\n\r\n" + body
new = b"X-Status: READ" + old[len(b"X-Status: RECV"):]
env = dict(os.environ, QT_QPA_PLATFORM="offscreen", VARNEL_RUNTIME_DIR=root + "/rt",
           VARNEL_INI=root + "/varnel32.ini", PELKHOME=root + "/pelk", HOME=root)
def put_old():
    with open(mail + ".reset", "wb") as f: f.write(old)
    os.rename(mail + ".reset", mail)
put_old()
# How long an open takes to mark the mail read when left alone; the kills fall around it,
# so that many land while the new bytes are being written.
t0 = time.monotonic()
p = subprocess.Popen([exe, mail], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
while open(mail, "rb").read(14) != b"X-Status: READ" and time.monotonic() - t0 < 60:
    time.sleep(0.005)
took = time.monotonic() - t0
p.send_signal(signal.SIGKILL); p.wait(); put_old()
stats = {"old": 0, "new": 0, "bad": 0}
leftovers = 0
killedInWrite = 0
for i in range(runs):
    p = subprocess.Popen([exe, mail], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(random.uniform(0.5 * took, 1.2 * took))
    p.send_signal(signal.SIGKILL); p.wait()
    data = open(mail, "rb").read()
    kind = "old" if data == old else "new" if data == new else "bad"
    stats[kind] += 1
    now = len([n for n in os.listdir(root + "/pelk/in") if ".varnel-" in n])
    leftovers = max(leftovers, now)
    killedInWrite += now > 0 or kind == "new"
    if kind == "new": put_old()
# One more open, allowed to finish.
p = subprocess.Popen([exe, mail], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
for _ in range(300):
    if open(mail, "rb").read(14) == b"X-Status: READ": break
    time.sleep(0.1)
time.sleep(0.5); p.send_signal(signal.SIGTERM); p.wait()
left = [n for n in os.listdir(root + "/pelk/in") if n != "0001.txt"]
print(f"open took {took:.2f} s; runs {runs}: old {stats['old']}, new {stats['new']}, cut {stats['bad']}; "
      f"killed while writing or after {killedInWrite}; most temporary files at once {leftovers}; after the next open: {left or 'none'}")
sys.exit(1 if stats["bad"] or left else 0)
