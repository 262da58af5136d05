#!/usr/bin/env python3
"""Builds the user's guide, one self-contained HTML file, from its template and pictures.

    build_guide.py docs/guide.html.in docs/images docs/Corvell2.html

In the template, @IMG:name@ stands for docs/images/name.png as a data: URI. A part between
<!--IF:name--> and <!--END:name--> is kept only when that picture exists, so the guide can
be built before the program has everything it describes.
"""
import base64
import pathlib
import re
import sys


def main():
    template, images, output = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3])
    text = template.read_text(encoding='utf-8')

    def keep_if(m):
        return m.group(2) if (images / (m.group(1) + '.png')).exists() else ''

    text = re.sub(r'<!--IF:([\w-]+)-->(.*?)<!--END:\1-->', keep_if, text, flags=re.S)

    missing = []

    def image(m):
        path = images / (m.group(1) + '.png')
        if not path.exists():
            missing.append(path.name)
            return ''
        return 'data:image/png;base64,' + base64.b64encode(path.read_bytes()).decode('ascii')

    text = re.sub(r'@IMG:([\w-]+)@', image, text)
    if missing:
        sys.exit('build_guide: missing pictures: ' + ', '.join(missing))
    output.write_text(text, encoding='utf-8')
    print('guide: %s (%d bytes)' % (output, output.stat().st_size))


if __name__ == '__main__':
    main()
