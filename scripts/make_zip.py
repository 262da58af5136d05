#!/usr/bin/env python3
"""Writes the release zip: make_zip.py out.zip file... (each stored under its own name).

Windows' own zip folders read entry names without the UTF-8 flag in the system's OEM code
page, which is 932 on a Japanese Windows, and ignore the flag on older versions. So a name
that is not ASCII is stored in code page 932, and its UTF-8 form is added as the Info-ZIP
Unicode Path extra field (0x7075) that 7-Zip, unzip and other tools read on any system.
"""
import os
import struct
import sys
import time
import zipfile
import zlib


class Cp932ZipInfo(zipfile.ZipInfo):
    def _encodeFilenameFlags(self):
        try:
            return self.filename.encode('ascii'), self.flag_bits
        except UnicodeEncodeError:
            return self.filename.encode('cp932'), self.flag_bits & ~0x800


def entry(path):
    name = os.path.basename(path)
    info = Cp932ZipInfo(name, time.localtime(os.path.getmtime(path))[:6])
    info.compress_type = zipfile.ZIP_DEFLATED
    info.external_attr = 0o644 << 16
    if not name.isascii():
        utf8 = name.encode('utf-8')
        unicode_path = struct.pack('<BI', 1, zlib.crc32(name.encode('cp932'))) + utf8
        info.extra = struct.pack('<HH', 0x7075, len(unicode_path)) + unicode_path
    return info


def main():
    out, files = sys.argv[1], sys.argv[2:]
    with zipfile.ZipFile(out + '.tmp', 'w') as z:
        for path in files:
            with open(path, 'rb') as f:
                z.writestr(entry(path), f.read(), compress_type=zipfile.ZIP_DEFLATED, compresslevel=9)
    os.replace(out + '.tmp', out)


if __name__ == '__main__':
    main()
