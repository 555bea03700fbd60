#!/usr/bin/env python3
"""Checks the resources of the built Lorvex.exe (PE32 or PE32+).

    check_resources.py LORVEX_EXE

The icon group must be named "ID_LORVEX" (a string, not a number) and hold
three 32-bit images of 64, 32 and 16 pixels, each present as an icon; the
manifest (id 1) must ask for asInvoker without uiAccess.
"""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'scripts'))
from pe_resources import Pe, RT_GROUP_ICON, RT_ICON, RT_MANIFEST  # noqa: E402


def faults_of(path):
    pe = Pe(open(path, 'rb').read())
    faults = []
    group = pe.resource(RT_GROUP_ICON, 'ID_LORVEX')
    if group is None:
        faults.append('no icon group named "ID_LORVEX"')
    else:
        count = struct.unpack_from('<H', group, 4)[0]
        images = []
        for i in range(count):
            width, height, _, _, _, bits, _, icon_id = struct.unpack_from(
                '<BBBBHHIH', group, 6 + 14 * i)
            images.append((width or 256, height or 256, bits))
            if pe.resource(RT_ICON, icon_id) is None:
                faults.append(f'icon {icon_id} of the group is missing')
        if sorted(images) != [(16, 16, 32), (32, 32, 32), (64, 64, 32)]:
            faults.append(f'icon group holds {images}, not 64, 32 and 16 pixels at 32 bits')
    manifest = pe.resource(RT_MANIFEST, 1)
    if manifest is None:
        faults.append('no manifest with id 1')
    elif b'level="asInvoker"' not in manifest or b'uiAccess="false"' not in manifest:
        faults.append('the manifest does not ask for asInvoker without uiAccess')
    return faults


if __name__ == '__main__':
    faults = faults_of(sys.argv[1])
    for fault in faults:
        print(f'{sys.argv[1]}: {fault}')
    sys.exit(1 if faults else 0)
