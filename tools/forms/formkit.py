"""Small layout kit for the fillable court forms: a caption block, section
bars, labelled text fields, amount tables and check boxes, laid out top to
bottom on US Letter pages with a footer that knows the page count.

Every field is a real AcroForm widget (text field or check box) with a
readable, unique name; the kit refuses a name used twice.
"""

from reportlab.lib.colors import Color, black, white
from reportlab.lib.pagesizes import letter
from reportlab.pdfbase.pdfmetrics import stringWidth
from reportlab.pdfgen import canvas

PAGE_W, PAGE_H = letter
MARGIN = 42
TOP = PAGE_H - 40
BOTTOM = 56
CONTENT_W = PAGE_W - 2 * MARGIN

FONT = "Helvetica"
BOLD = "Helvetica-Bold"
ITALIC = "Helvetica-Oblique"

FIELD_H = 13
ROW_H = 17
BAR = Color(0.86, 0.88, 0.92)
RULE = Color(0.45, 0.45, 0.45)
FIELD_BORDER = Color(0.55, 0.58, 0.65)
FIELD_FILL = Color(0.95, 0.97, 1.0)


def wrap(text, font, size, width):
    """Splits `text` into lines no wider than `width` points."""
    lines = []
    for paragraph in text.split("\n"):
        line = ""
        for word in paragraph.split():
            candidate = (line + " " + word).strip()
            if stringWidth(candidate, font, size) <= width or not line:
                line = candidate
            else:
                lines.append(line)
                line = word
        lines.append(line)
    return lines


class Form:
    """Collects drawing steps page by page, then writes them with the page
    count known (for "page n of m")."""

    def __init__(self, path, title, subtitle, footer):
        self.path = path
        self.title = title
        self.subtitle = subtitle
        self.footer = footer
        self.pages = [[]]
        self.y = TOP
        self.names = set()

    # ---- page flow --------------------------------------------------------

    def op(self, function):
        self.pages[-1].append(function)

    def new_page(self):
        self.pages.append([])
        self.y = TOP
        self.running_head()

    def need(self, height):
        """Starts a new page unless `height` points still fit."""
        if self.y - height < BOTTOM:
            self.new_page()

    def gap(self, points):
        self.y -= points

    def running_head(self):
        y = self.y
        title = self.title

        def draw(c):
            c.setFont(ITALIC, 7.5)
            c.setFillColor(RULE)
            c.drawRightString(PAGE_W - MARGIN, y, title)
            c.setFillColor(black)
        self.op(draw)
        self.y -= 14

    # ---- names ------------------------------------------------------------

    def claim(self, name):
        if name in self.names:
            raise ValueError("field name used twice: " + name)
        if not name.replace("_", "").isalnum():
            raise ValueError("field name must be letters, digits and underscores: " + name)
        self.names.add(name)
        return name

    # ---- blocks -----------------------------------------------------------

    def heading(self, rule_line):
        """Court line, case caption (parties on the left, case number on
        the right) and the title."""
        top = self.y

        def court(c):
            c.setFont(BOLD, 10)
            c.drawString(MARGIN, top, "CIRCUIT COURT FOR")
            c.setFont(FONT, 6.5)
            c.drawString(MARGIN + 118, top - 12, "(City or County)")
            c.setFont(FONT, 7.5)
            c.drawRightString(PAGE_W - MARGIN, top, rule_line)
        self.op(court)
        self.text_field_at("court_county", MARGIN + 118, top - 3, 200, tooltip="City or County")
        self.y -= 28

        left = MARGIN
        half = CONTENT_W * 0.58
        caption_top = self.y
        for role, label in (("plaintiff", "Plaintiff"), ("defendant", "Defendant")):
            y = self.y
            rows = [y - 3 - 22 * k for k in range(4)]
            self.text_field_at(role + "_name", left, rows[0], half, tooltip=label + ": name")
            self.text_field_at(role + "_street", left, rows[1], half, tooltip=label + ": street address")
            self.text_field_at(role + "_city", left, rows[2], half * 0.55, tooltip=label + ": city")
            self.text_field_at(role + "_state", left + half * 0.57, rows[2], half * 0.12, tooltip=label + ": state")
            self.text_field_at(role + "_zip", left + half * 0.71, rows[2], half * 0.29, tooltip=label + ": zip code")
            self.text_field_at(role + "_phone", left, rows[3], half * 0.45, tooltip=label + ": telephone")
            self.text_field_at(role + "_email", left + half * 0.47, rows[3], half * 0.53, tooltip=label + ": e-mail")

            def captions(c, rows=rows, label=label):
                c.setFont(FONT, 6.5)
                for row, items in enumerate(([(0, label + " (name)")], [(0, "Street address")],
                                             [(0, "City"), (0.57, "State"), (0.71, "Zip code")],
                                             [(0, "Telephone"), (0.47, "E-mail")])):
                    for offset, text in items:
                        c.drawString(left + half * offset, rows[row] - 7, text)
            self.op(captions)
            self.y -= 94
            if role == "plaintiff":
                self.op(lambda c, y=self.y + 2: (c.setFont(BOLD, 10), c.drawString(left + half / 2 - 4, y, "v.")))
                self.y -= 14

        bottom = self.y
        case_x = MARGIN + half + 24

        def case_box(c):
            c.setStrokeColor(RULE)
            c.setLineWidth(0.6)
            c.line(case_x - 10, bottom + 6, case_x - 10, caption_top + 8)
            c.line(MARGIN, bottom, PAGE_W - MARGIN, bottom)
            c.setStrokeColor(black)
            c.setFont(BOLD, 9)
            c.drawString(case_x, caption_top - 96, "Case No.")
        self.op(case_box)
        self.text_field_at("case_number", case_x + 44, caption_top - 99, PAGE_W - MARGIN - case_x - 44,
                           tooltip="Case number")
        self.y -= 24

        title, subtitle = self.title, self.subtitle

        def draw_title(c, y=self.y):
            c.setFont(BOLD, 14)
            c.drawCentredString(PAGE_W / 2, y, title.upper())
            if subtitle:
                c.setFont(FONT, 9)
                c.drawCentredString(PAGE_W / 2, y - 14, subtitle)
        self.op(draw_title)
        self.gap(34 if subtitle else 22)

    def section(self, title, note=None):
        note_lines = wrap(note, ITALIC, 8, CONTENT_W - 8) if note else []
        self.need(30 + 11 * len(note_lines) + 3 * ROW_H)
        if self.y < TOP - 14:
            self.y -= 8

        def draw(c, y=self.y):
            c.setFillColor(BAR)
            c.rect(MARGIN, y - 5, CONTENT_W, 16, stroke=0, fill=1)
            c.setFillColor(black)
            c.setFont(BOLD, 10)
            c.drawString(MARGIN + 4, y, title)
        self.op(draw)
        self.y -= 20
        for line in note_lines:
            self.op(lambda c, y=self.y, line=line: (c.setFont(ITALIC, 8), c.drawString(MARGIN + 4, y, line)))
            self.y -= 11
        self.y -= 4

    def paragraph(self, text, size=8.5, font=FONT, indent=0):
        lines = wrap(text, font, size, CONTENT_W - indent - 4)
        self.need(len(lines) * (size + 2.5) + 2)
        for line in lines:
            self.op(lambda c, y=self.y, line=line: (c.setFont(font, size), c.drawString(MARGIN + 4 + indent, y, line)))
            self.y -= size + 2.5
        self.y -= 3

    def text_field_at(self, name, x, y, width, height=FIELD_H, tooltip=None, multiline=False, size=8.5):
        """A text field whose box has its lower left corner at (x, y)."""
        self.claim(name)

        def draw(c):
            c.acroForm.textfield(name=name, tooltip=tooltip or name, x=x, y=y, width=width, height=height,
                                 fontName=FONT, fontSize=size, borderWidth=0.5, borderColor=FIELD_BORDER,
                                 fillColor=FIELD_FILL, textColor=black, maxlen=0 if multiline else 200,
                                 fieldFlags="multiline" if multiline else "", forceBorder=True)
        self.op(draw)

    def checkbox_at(self, name, x, y, tooltip=None, size=9):
        self.claim(name)

        def draw(c):
            c.acroForm.checkbox(name=name, tooltip=tooltip or name, x=x, y=y, size=size, buttonStyle="check",
                                borderWidth=0.5, borderColor=FIELD_BORDER, fillColor=white, textColor=black,
                                fieldFlags="", forceBorder=True)
        self.op(draw)

    def fields_row(self, items, label_size=8):
        """One row of labelled fields: items are (label, name, width in
        points or None for the rest of the row)."""
        self.need(ROW_H + 2)
        x = MARGIN + 4
        y = self.y
        for index, (label, name, width) in enumerate(items):
            label_w = stringWidth(label, FONT, label_size) + 4 if label else 0
            if width is None:
                width = PAGE_W - MARGIN - x - label_w
            self.op(lambda c, x=x, label=label: (c.setFont(FONT, label_size), c.drawString(x, y, label)))
            self.text_field_at(name, x + label_w, y - 3, width, tooltip=label.rstrip(":") or name)
            x += label_w + width + 10
        self.y -= ROW_H

    def amount_table(self, columns, rows, prefix, label_width=None, number_rows=True, total=None):
        """Rows of labels with one amount field per column. `columns` are
        (heading, key); `rows` are (label, key); fields are named
        prefix_rowkey_columnkey. `total` adds a last row named
        prefix_total_columnkey."""
        column_w = 78 if len(columns) > 1 else 96
        label_width = label_width or CONTENT_W - column_w * len(columns) - 8
        all_rows = list(rows) + ([(total, "total")] if total else [])
        self.need(ROW_H * 2 + 6)
        heads_y = self.y
        for index, (heading, _) in enumerate(columns):
            x = MARGIN + label_width + index * column_w
            self.op(lambda c, x=x, heading=heading: (c.setFont(BOLD, 7.5),
                                                     c.drawCentredString(x + column_w / 2 - 2, heads_y, heading)))
        self.y -= 13
        for number, (label, key) in enumerate(all_rows, start=1):
            self.need(ROW_H)
            if self.y == TOP - 14:
                # carried over: repeat the column headings
                for index, (heading, _) in enumerate(columns):
                    x = MARGIN + label_width + index * column_w
                    self.op(lambda c, x=x, heading=heading, y=self.y: (
                        c.setFont(BOLD, 7.5), c.drawCentredString(x + column_w / 2 - 2, y, heading)))
                self.y -= 13
            is_total = total and key == "total"
            text = label if (is_total or not number_rows) else "%d. %s" % (number, label)
            font = BOLD if is_total else FONT
            lines = wrap(text, font, 8, label_width - 10)
            y = self.y

            def draw_label(c, y=y, lines=lines, font=font):
                c.setFont(font, 8)
                for i, line in enumerate(lines[:2]):
                    c.drawString(MARGIN + 4, y - i * 9, line)
                c.setStrokeColor(Color(0.85, 0.85, 0.85))
                c.setLineWidth(0.3)
                c.line(MARGIN + 2, y - 5 - 9 * (min(len(lines), 2) - 1), MARGIN + label_width - 4,
                       y - 5 - 9 * (min(len(lines), 2) - 1))
                c.setStrokeColor(black)
            self.op(draw_label)
            for index, (heading, column) in enumerate(columns):
                x = MARGIN + label_width + index * column_w
                self.op(lambda c, x=x, y=y: (c.setFont(FONT, 8), c.drawString(x - 7, y, "$")))
                self.text_field_at("%s_%s_%s" % (prefix, key, column), x, y - 3, column_w - 12,
                                   tooltip="%s (%s)" % (label, heading) if heading else label)
            self.y -= ROW_H + 9 * (min(len(lines), 2) - 1)

    def grid(self, headings, widths, rows, prefix, row_keys=None, row_labels=None):
        """A table with one row per entry and one text field per column,
        named prefix_row_columnnumber. With `row_labels`, the first column
        prints the row's label instead of a field."""
        scale = CONTENT_W / sum(widths)
        widths = [w * scale for w in widths]
        self.need(ROW_H * 2 + 6)
        x = MARGIN
        head_lines = [wrap(h, BOLD, 7, w - 4) for h, w in zip(headings, widths)]
        depth = max(len(lines) for lines in head_lines)
        for lines, w in zip(head_lines, widths):
            for i, line in enumerate(lines):
                self.op(lambda c, x=x, w=w, line=line, y=self.y + 8 * (depth - 1 - i): (
                    c.setFont(BOLD, 7), c.drawCentredString(x + w / 2, y, line)))
            x += w
        self.y -= 12
        for row in range(rows):
            self.need(ROW_H)
            x = MARGIN
            key = row_keys[row] if row_keys else str(row + 1)
            for column, w in enumerate(widths):
                if column == 0 and row_labels:
                    label = row_labels[row]
                    self.op(lambda c, x=x, label=label, y=self.y: (c.setFont(FONT, 8), c.drawString(x + 4, y, label)))
                else:
                    self.text_field_at("%s_%s_%d" % (prefix, key, column + 1), x + 1, self.y - 3, w - 3,
                                       tooltip="%s: %s" % (row_labels[row] if row_labels else "row " + key,
                                                           headings[column]))
                x += w
            self.y -= ROW_H

    def checklist(self, items, prefix, columns=1, indent=0):
        """Check boxes with their labels, `columns` to a row."""
        width = (CONTENT_W - indent) / columns
        for start in range(0, len(items), columns):
            chunk = items[start:start + columns]
            heights = [len(wrap(label, FONT, 8, width - 22)) for label, _ in chunk]
            self.need(ROW_H + 9 * (max(heights) - 1))
            for index, (label, key) in enumerate(chunk):
                x = MARGIN + 4 + indent + index * width
                self.checkbox_at("%s_%s" % (prefix, key), x, self.y - 2, tooltip=label)
                for i, line in enumerate(wrap(label, FONT, 8, width - 22)):
                    self.op(lambda c, x=x, y=self.y - i * 9, line=line: (c.setFont(FONT, 8),
                                                                       c.drawString(x + 14, y, line)))
            self.y -= ROW_H + 9 * (max(heights) - 1)

    def lines_box(self, name, height, label=None, tooltip=None):
        """A multi-line text field over the full width, kept on one page
        with its label."""
        label_lines = len(wrap(label, FONT, 8.5, CONTENT_W - 4)) if label else 0
        self.need(height + 6 + label_lines * 11 + 3)
        if label:
            self.paragraph(label)
        self.text_field_at(name, MARGIN + 4, self.y - height + 8, CONTENT_W - 8, height=height,
                           tooltip=tooltip or label or name, multiline=True)
        self.y -= height + 4

    def signature(self, roles, affirmation):
        """The affirmation and one signature block per role."""
        self.need(30 + 78 * len(roles))
        self.paragraph(affirmation, size=8.5, font=BOLD)
        self.gap(6)
        for role, label in roles:
            self.need(78)
            y = self.y
            self.text_field_at(role + "_signatureDate", MARGIN + 4, y - 3, 110, tooltip=label + ": date")
            self.text_field_at(role + "_signature", MARGIN + 150, y - 3, CONTENT_W - 154,
                               tooltip=label + ": signature")
            self.text_field_at(role + "_printedName", MARGIN + 150, y - 33, CONTENT_W - 154,
                               tooltip=label + ": printed name")

            def captions(c, y=y, label=label):
                c.setFont(FONT, 6.5)
                c.drawString(MARGIN + 4, y - 12, "Date")
                c.drawString(MARGIN + 150, y - 12, "Signature of " + label)
                c.drawString(MARGIN + 150, y - 42, "Printed name")
            self.op(captions)
            self.y -= 60

    # ---- output -----------------------------------------------------------

    def save(self):
        c = canvas.Canvas(self.path, pagesize=letter, invariant=1, pageCompression=1)
        c.setTitle(self.title)
        c.setAuthor("Orva-Calc Professional")
        c.setSubject(self.subtitle or self.title)
        c.setCreator("tools/forms/generate.py")
        total = len(self.pages)
        for number, ops in enumerate(self.pages, start=1):
            for draw in ops:
                draw(c)
            c.setFont(FONT, 7)
            c.setFillColor(RULE)
            c.drawString(MARGIN, 30, self.footer)
            c.drawRightString(PAGE_W - MARGIN, 30, "Page %d of %d" % (number, total))
            c.setFillColor(black)
            c.showPage()
        c.save()
        return total
