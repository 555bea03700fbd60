#!/usr/bin/env python3
"""Checks the built diagnostic_readme.txt: Windows-1252, CR LF only, address in.

    check_readme.py FILE SUPPORT_EMAIL
"""
import re
import sys

path, email = sys.argv[1:3]
data = open(path, 'rb').read()
faults = []
if re.search(rb'[\xC2-\xF4][\x80-\xBF]', data):
    faults.append('holds UTF-8 sequences')
for byte, name in ((b'\xFC', 'u umlaut'), (b'\xF6', 'o umlaut'), (b'\xE4', 'a umlaut'),
                   (b'\xDF', 'sharp s')):
    if byte not in data:
        faults.append(f'lacks the Windows-1252 byte of {name}')
if re.search(rb'\r(?!\n)|(?<!\r)\n', data):
    faults.append('has a line end other than CR LF')
if not data.endswith(b'\r\n'):
    faults.append('does not end with CR LF')
if email.encode('ascii') not in data:
    faults.append(f'does not name {email}')
for fact in (rb'Zantiq-Portable\zantiq', b'diagnostic.log.<Jahr>-<Monat>-<Tag>',
             b'Strg und Pause'):
    if fact not in data:
        faults.append(f'does not say {fact.decode()}')
for fault in faults:
    print(f'{path}: {fault}')
sys.exit(1 if faults else 0)
