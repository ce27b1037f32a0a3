#!/usr/bin/env python3
"""Writes the fuzz targets' generated seeds: DDC/CI sessions and project files built from the
tree's lab profiles and the shared corpus, and the capabilities strings the lab profiles carry.

    make_seeds.py <output folder> <shared corpus folder> <source folder>
"""
import glob
import json
import os
import struct
import sys


def xor(seed, data):
    for b in data:
        seed ^= b
    return seed


def reply(payload, doubled=False, flag=True):
    length = len(payload) | (0x80 if flag else 0)
    frame = bytes([0x6E, length]) + bytes(payload)
    frame += bytes([xor(0x50, frame)])
    return (b"\x6e" + frame) if doubled else frame


def request(payload):
    body = bytes([0x51, 0x80 | len(payload)]) + bytes(payload)
    return body + bytes([xor(0x6E, body)])


def padded(data, size):
    return data + bytes(size - len(data))


def fragments(opcode, data):
    out = b""
    for offset in range(0, len(data) + 1, 32):
        chunk = data[offset:offset + 32]
        out += padded(reply([opcode, offset >> 8, offset & 0xFF] + list(chunk)), 40)
        if not chunk:
            break
    return out


def write(folder, name, data):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def lab_capabilities(source):
    found = []
    for path in sorted(glob.glob(os.path.join(source, "lab", "*.json")) +
                       glob.glob(os.path.join(source, "tests", "engine", "golden", "*.json"))):
        with open(path, encoding="utf-8") as f:
            profile = json.load(f)
        for monitor in profile.get("monitors", []):
            if monitor.get("capabilities"):
                found.append((os.path.basename(path)[:-5], monitor["capabilities"].encode("latin-1", "replace")))
    return found


def corpus_capabilities(corpus):
    found = []
    for path in sorted(glob.glob(os.path.join(corpus, "caps", "*.txt"))):
        with open(path, "rb") as f:
            found.append((os.path.basename(path)[:-4], f.read()))
    return found


def ddc_reply_seeds(out, strings):
    folder = os.path.join(out, "ddc_reply")
    good = padded(reply([0x02, 0x00, 0x10, 0x00, 0x00, 0x64, 0x00, 0x32]), 12)
    write(folder, "get-vcp", bytes([0, 0x10, 0]) + good)
    write(folder, "get-vcp-unsupported", bytes([0, 0x12, 0]) + padded(reply([0x02, 0x01, 0x12]), 12))
    write(folder, "get-vcp-doubled", bytes([0, 0x10, 0]) + padded(reply([0x02, 0, 0x10, 0, 0, 0x64, 0, 0x32], True), 12))
    write(folder, "get-vcp-no-flag", bytes([0, 0x10, 0]) + padded(reply([0x02, 0, 0x10, 0, 0, 0x64, 0, 0x32], flag=False), 12))
    write(folder, "get-vcp-retried", bytes([0, 0x10, 0]) + padded(reply([]), 12) + bytes(12) + good)
    for name, text in strings:
        write(folder, "caps-" + name, bytes([1, 0, 0]) + fragments(0xE3, text))
    write(folder, "table", bytes([2, 0x73, 8]) + fragments(0xE4, bytes(range(100))))
    write(folder, "table-wrong-offset", bytes([2, 0x73, 1]) + padded(reply([0xE4, 0, 1, 1, 2, 3]), 40))


def ddc_request_seeds(out):
    folder = os.path.join(out, "ddc_request")

    def w37(payload):
        data = request(payload)
        return bytes([0, len(data)]) + data

    r37 = bytes([1, 40])
    write(folder, "get-vcp", w37([0x01, 0x10]) + r37 + w37([0x01, 0x12]) + r37)
    write(folder, "set-then-get", w37([0x03, 0x10, 0, 40]) + w37([0x01, 0x10]) + r37)
    write(folder, "capabilities", w37([0xF3, 0, 0]) + r37 + w37([0xF3, 0, 32]) + r37 + w37([0xF3, 0x7F, 0xFF]) + r37)
    write(folder, "restore", w37([0x03, 0x04, 0, 1]) + w37([0x01, 0x10]) + r37 + w37([0x0C]) + r37)
    write(folder, "tables", w37([0xE2, 0x73, 0, 0]) + r37 + w37([0xE7, 0x73, 0, 0, 1, 2, 3]) + r37)
    write(folder, "edid", bytes([4, 1, 0, 2, 1, 0, 3, 128, 3, 128]))
    write(folder, "garbage", bytes([0, 5, 0x51, 0x02, 0x01, 0x10, 0xAA]) + r37 + bytes([1, 3]))


def project_seeds(out):
    folder = os.path.join(out, "project")

    def record(title, test_type, level, plugins, key, codes, comments):
        data = struct.pack("<H", 1) + padded(title.encode(), 300)
        data += struct.pack("<HHH", test_type, level, plugins) + padded(key.encode(), 3)
        data += bytes(1 if c in codes else 0 for c in range(256)) + bytes(100) + padded(comments.encode(), 1024)
        assert len(data) == 1691
        return data

    automatic = record("Automatic standard", 1, 1, 0, "A5", {0x10, 0x12, 0x14}, "Edited 10:00:00 Monday: ")
    write(folder, "automatic-standard.vmdProj", automatic)
    write(folder, "manual-robust.vmdProj", record("Manual robust", 2, 2, 0x1F, "0F", set(range(0x10, 0x20)), ""))
    write(folder, "not-specified.vmdProj", record("x" * 299, 0, 0xFFFF, 0xFFFF, "FF", set(), "y" * 1023))
    write(folder, "short.vmdProj", automatic[:700])
    write(folder, "version-2.vmdProj", struct.pack("<H", 2) + automatic[2:])


def lab_profile_seeds(out, strings):
    folder = os.path.join(out, "lab_profile")
    for name, text in strings[:4]:
        profile = {"name": name, "monitors": [{"position": 1, "capabilities": text.decode("latin-1"),
                                               "features": {"0x10": {"type": "C", "current": 50, "maximum": 100}}}]}
        write(folder, name + ".json", json.dumps(profile, indent=2).encode())
    write(folder, "faults.json", json.dumps({"monitors": [{"position": 3, "faults": {
        "silent": ["0x12"], "badChecksum": [16], "garbledCapabilities": True}}]}).encode())


def main():
    out, corpus, source = sys.argv[1:4]
    lab = lab_capabilities(source)
    real = corpus_capabilities(corpus)
    folder = os.path.join(out, "caps")
    for name, text in lab:
        write(folder, "lab-" + name, text)
    ddc_reply_seeds(out, lab[:3] + real)
    ddc_request_seeds(out)
    project_seeds(out)
    lab_profile_seeds(out, real)


if __name__ == "__main__":
    main()
