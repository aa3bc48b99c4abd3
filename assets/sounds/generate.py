#!/usr/bin/env python3
"""Speaks the Monitor's announcements into Wave/Volume-0 ... Volume-4.

Each phrase is spoken once (espeak-ng), trimmed, resampled to 16 kHz mono
16-bit PCM and normalised (sox); the five loudness folders hold it at five
levels, 5 dB apart, Volume-4 the loudest. Dither is off and sox runs in its
repeatable mode, so every run writes the same bytes. Files are written beside
their final name and renamed into place.
"""
import argparse
import concurrent.futures
import os
import shutil
import struct
import subprocess
import sys
import tempfile

RATE = 16000
VOLUMES = 5
STEP_DB = 5
VOICE = ["-v", "en-us", "-s", "150"]
# Strip the silence around the words, then leave a short, even margin.
SHAPE = ["silence", "1", "0.02", "0.3%", "reverse", "silence", "1", "0.02", "0.3%", "reverse",
         "rate", str(RATE), "gain", "-n", "-1", "pad", "0.03", "0.05"]
SOX_OUT = ["--comment", "", "-r", str(RATE), "-b", "16", "-c", "1", "-e", "signed-integer"]


def read_phrases(path):
    phrases = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            name, text = line.split("\t", 1)
            phrases.append((name, text))
    # DPI values, spoken as numbers ("800" -> "eight hundred").
    phrases += [("%d.wav" % n, str(n)) for n in range(100, 6001, 100)]
    return phrases


def check_pcm(path):
    """Plain PCM only: the system's wave player takes nothing else."""
    with open(path, "rb") as f:
        head = f.read(44)
    riff, _, wave, fmt, fmt_size, tag, channels, rate, _, _, bits, data, _ = struct.unpack("<4sI4s4sIHHIIHH4sI", head)
    if (riff, wave, fmt, data) != (b"RIFF", b"WAVE", b"fmt ", b"data") or fmt_size != 16:
        raise SystemExit("%s: not a plain wave file" % path)
    if (tag, channels, rate, bits) != (1, 1, RATE, 16):
        raise SystemExit("%s: expected 16-bit mono PCM at %d Hz" % (path, RATE))


def run(command):
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if result.returncode != 0:
        raise SystemExit("%s failed: %s" % (command[0], result.stderr.decode(errors="replace")))


def make_phrase(name, text, work, out_dir):
    spoken = os.path.join(work, name + ".spoken.wav")
    master = os.path.join(work, name)
    run(["espeak-ng"] + VOICE + ["-w", spoken, text])
    run(["sox", "-R", "-D", spoken] + SOX_OUT + [master] + SHAPE)
    for volume in range(VOLUMES):
        target = os.path.join(out_dir, "Volume-%d" % volume, name)
        partial = target[:-4] + ".part.wav"
        attenuation = (VOLUMES - 1 - volume) * STEP_DB
        if attenuation == 0:
            shutil.copyfile(master, partial)
        else:
            run(["sox", "-R", "-D", master] + SOX_OUT + [partial, "gain", "-%d" % attenuation])
        check_pcm(partial)
        os.replace(partial, target)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--phrases", required=True)
    parser.add_argument("--wave-dir", required=True, help="the program folder's Wave folder")
    parser.add_argument("--stamp", required=True)
    parser.add_argument("--jobs", type=int, default=2)
    args = parser.parse_args()

    for tool in ("espeak-ng", "sox"):
        if not shutil.which(tool):
            raise SystemExit("%s is missing: run scripts/bootstrap.sh" % tool)
    phrases = read_phrases(args.phrases)
    for volume in range(VOLUMES):
        os.makedirs(os.path.join(args.wave_dir, "Volume-%d" % volume), exist_ok=True)
    with tempfile.TemporaryDirectory(prefix="vextra-sounds-") as work:
        with concurrent.futures.ThreadPoolExecutor(max_workers=max(1, args.jobs)) as pool:
            jobs = [pool.submit(make_phrase, name, text, work, args.wave_dir) for name, text in phrases]
            for job in jobs:
                job.result()
    with open(args.stamp, "w") as f:
        f.write("%d phrases x %d folders\n" % (len(phrases), VOLUMES))
    return 0


if __name__ == "__main__":
    sys.exit(main())
