#!/usr/bin/python3
"""Draws the toolbar icons the packaged PDF.js viewer asks for but Debian's
libjs-pdf leaves out, into resources/pdfjs/images/. The viewer uses them as
masks (only the shape counts, the colour comes from its style sheet), so
each is a plain 16 x 16 black drawing.

Run:  /usr/bin/python3 tools/viewer-icons/generate.py   (then commit both)
"""

import os
import sys

HEAD = '<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16" viewBox="0 0 16 16">'
STROKE = 'fill="none" stroke="#000" stroke-width="1.6" stroke-linecap="round" stroke-linejoin="round"'


def stroke(path):
    return '<path %s d="%s"/>' % (STROKE, path)


def fill(path):
    return '<path d="%s"/>' % path


def rect(x, y, w, h, filled=False):
    if filled:
        return '<rect x="%s" y="%s" width="%s" height="%s"/>' % (x, y, w, h)
    return '<rect %s x="%s" y="%s" width="%s" height="%s" rx="1"/>' % (STROKE, x, y, w, h)


MAGNIFIER = stroke("M6.8 2.2a4.6 4.6 0 1 1 0 9.2a4.6 4.6 0 1 1 0-9.2z M10.2 10.2l4 4")
ROTATE_CW = stroke("M12.6 8a4.6 4.6 0 1 1-1.6-3.5") + fill("M13.8 1.8v4.6H9.2z")
ROTATE_CCW = stroke("M3.4 8a4.6 4.6 0 1 0 1.6-3.5") + fill("M2.2 1.8v4.6h4.6z")

ICONS = {
    "toolbarButton-pageUp.svg": stroke("M3 10l5-5 5 5"),
    "toolbarButton-pageDown.svg": stroke("M3 6l5 5 5-5"),
    "toolbarButton-zoomIn.svg": stroke("M8 3v10 M3 8h10"),
    "toolbarButton-zoomOut.svg": stroke("M3 8h10"),
    "toolbarButton-menuArrow.svg": fill("M4 6h8l-4 5z"),
    "toolbarButton-sidebarToggle.svg": rect(1.8, 2.8, 12.4, 10.4) + fill("M2.6 3.6h3.6v8.8H2.6z"),
    "toolbarButton-secondaryToolbarToggle.svg": stroke("M4 4l4 4-4 4 M9 4l4 4-4 4"),
    "toolbarButton-search.svg": MAGNIFIER,
    "toolbarButton-print.svg": rect(1.8, 6, 12.4, 5.6) + stroke("M4.5 6V2h7v4 M4.5 10h7v4h-7z"),
    "toolbarButton-download.svg": stroke("M8 2v8 M4.5 6.8L8 10.2l3.5-3.4 M2.5 13.5h11"),
    "toolbarButton-openFile.svg": stroke("M1.8 13V3.5h4l1.5 1.6h6.9V13z M1.8 7h12.4"),
    "toolbarButton-bookmark.svg": stroke("M4 2h8v12l-4-3-4 3z"),
    "toolbarButton-presentationMode.svg": rect(1.8, 2.8, 12.4, 8) + stroke("M8 10.8v3 M5 14h6"),
    "toolbarButton-currentOutlineItem.svg": stroke("M2 4h2 M6 4h8 M4 8h2 M8 8h6 M2 12h2 M6 12h8"),
    "toolbarButton-viewOutline.svg": stroke("M2 3.5h1.5 M5.5 3.5h8.5 M2 8h1.5 M5.5 8h8.5 M2 12.5h1.5 M5.5 12.5h8.5"),
    "toolbarButton-viewThumbnail.svg": rect(2, 2, 5, 5) + rect(9, 2, 5, 5) + rect(2, 9, 5, 5) + rect(9, 9, 5, 5),
    "toolbarButton-viewAttachments.svg": stroke("M10.5 4.5l-5 5a1.6 1.6 0 0 0 2.3 2.3l5.4-5.4a3 3 0 0 0-4.3-4.3L3.5 7.5"
                                                "a4.2 4.2 0 0 0 6 6l3-3"),
    "toolbarButton-viewLayers.svg": stroke("M8 2l6 3.2-6 3.2-6-3.2z M2 8.2l6 3.2 6-3.2 M2 11l6 3.2 6-3.2"),
    "secondaryToolbarButton-lastPage.svg": stroke("M3 3l5 5 5-5 M3 13.5h10"),
    "secondaryToolbarButton-rotateCw.svg": ROTATE_CW,
    "secondaryToolbarButton-rotateCcw.svg": ROTATE_CCW,
    "secondaryToolbarButton-selectTool.svg": stroke("M6 2.5h4 M6 13.5h4 M8 2.5v11"),
    "secondaryToolbarButton-handTool.svg": stroke("M5 9V4a1 1 0 0 1 2 0v4 M7 7.5V3a1 1 0 0 1 2 0v4.5 M9 7.5V4a1 1 0 0 1 2 0"
                                                  "v4 M11 8V6a1 1 0 0 1 2 0v4a4 4 0 0 1-4 4H8a4 4 0 0 1-3.4-2L3 9"
                                                  "a1 1 0 0 1 1.7-1L5 9"),
    "secondaryToolbarButton-scrollPage.svg": rect(3.5, 2, 9, 12),
    "secondaryToolbarButton-scrollVertical.svg": rect(4, 1.5, 8, 5.5) + rect(4, 9, 8, 5.5),
    "secondaryToolbarButton-scrollHorizontal.svg": rect(1.5, 4, 5.5, 8) + rect(9, 4, 5.5, 8),
    "secondaryToolbarButton-scrollWrapped.svg": rect(1.5, 1.5, 5.5, 5.5) + rect(9, 1.5, 5.5, 5.5)
    + rect(1.5, 9, 5.5, 5.5),
    "secondaryToolbarButton-spreadNone.svg": rect(5, 2, 6, 12),
    "secondaryToolbarButton-spreadOdd.svg": rect(1.5, 2, 6, 12) + rect(8.5, 2, 6, 12)
    + fill("M3.5 4h2v2h-2z"),
    "secondaryToolbarButton-spreadEven.svg": rect(1.5, 2, 6, 12) + rect(8.5, 2, 6, 12)
    + fill("M10.5 4h2v2h-2z"),
    "treeitem-collapsed.svg": fill("M5 3l6 5-6 5z"),
    "treeitem-expanded.svg": fill("M3 5h10l-5 6z"),
}


# The viewer's older page-loading background; it draws loading.svg for the
# same purpose, so a transparent pixel is enough.
BLANK_GIF = bytes.fromhex("47494638396101000100800000000000ffffff21f90401000000002c00000000010001000002024401003b")


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "pdfjs", "images")
    os.makedirs(folder, exist_ok=True)
    for name, body in sorted(ICONS.items()):
        with open(os.path.join(folder, name), "w") as out:
            out.write(HEAD + body + "</svg>\n")
    with open(os.path.join(folder, "loading-icon.gif"), "wb") as out:
        out.write(BLANK_GIF)
    print("%d icons in %s" % (len(ICONS) + 1, folder))


if __name__ == "__main__":
    main()
