#!/usr/bin/env python3
"""Makes the end user's diagnostic_readme.txt from its UTF-8 template.

    make_readme.py TEMPLATE OUTPUT SUPPORT_EMAIL

Puts in the support desk's address and writes Windows-1252 with CR LF line
ends; a character that Windows-1252 lacks fails the build.
"""
import sys

template, output, email = sys.argv[1:4]
with open(template, encoding='utf-8', newline='') as source:
    text = source.read()
text = text.replace('@LORVEX_SUPPORT_EMAIL@', email)
text = text.replace('\r\n', '\n').replace('\n', '\r\n')
with open(output, 'wb') as target:
    target.write(text.encode('cp1252'))
