#!/usr/bin/env python3
"""Writes an LZMA-compressed ("ZWS") copy of a plain ("FWS") or zlib ("CWS") SWF movie.

    tools/swf2zws.py IN.swf OUT.swf

Made with Python's own lzma module, so that our reader of ZWS is checked against a writer that is
not ours. The header is "ZWS", the version, the uncompressed length (with the 8-byte header), the
length of the LZMA data after its properties, then the 5 bytes of properties and the raw stream
(the .lzma "alone" format without its 8-byte size).
"""

import lzma
import struct
import sys
import zlib


def main(source, target):
    data = open(source, 'rb').read()
    signature, version = data[:3], data[3]
    if signature == b'FWS':
        body = data[8:]
    elif signature == b'CWS':
        body = zlib.decompress(data[8:])
    else:
        sys.exit(f'{source}: not an FWS or CWS movie')
    alone = lzma.compress(body, format=lzma.FORMAT_ALONE)
    properties, stream = alone[:5], alone[13:]
    header = b'ZWS' + bytes([max(version, 13)])
    header += struct.pack('<II', len(body) + 8, len(stream))
    open(target, 'wb').write(header + properties + stream)


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
