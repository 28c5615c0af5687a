"""Worksheets A and B of the July 2022 guidelines, laid out as the court's
current forms CC-DR-034 and CC-DR-035 (Rev. 08/2024): the header block with
the parties' addresses and telephones, the notices, the children, the Freq
columns, the lines with the forms' numbers and captions in the forms' order,
Worksheet C, the comments box with "Prepared By" and "Date", and the forms'
footer with "Page n of m".

The captions are the forms' own words, spelling included; only their line
breaks follow our narrower label column. They are wrapped with the metrics
of Helvetica, which Arial (the worksheet font, Liberation Sans here) shares.
"""

from reportlab.pdfbase.pdfmetrics import stringWidth

from script import Script

PAGE_W = 595
L, R = 20, 575
CENTRE = PAGE_W / 2
# Columns of the line tables: label | Freq | first parent | Freq | second parent | Combined.
LABEL_R, P1, FREQ2, P2, COMB = 288, 310, 400, 422, 510
CELL = {"m": (P1, FREQ2), "f": (P2, COMB), "c": (COMB, R)}
FREQ_X = {"m": (LABEL_R + P1) / 2, "f": (FREQ2 + P2) / 2}
# Amounts stand right-aligned with room after them for footnote marks.
VALUE_X = {"m": FREQ2 - 11, "f": COMB - 11, "c": R - 6}
MARK_X = {"m": FREQ2 - 9.5, "f": COMB - 9.5}
SIGN_ROOM = {"": 0, "-": 6, "+": 6, "+/-": 14, "$": 7, "A": 8, "B": 8}
TITLE_SIZE, NOTE_SIZE, VALUE_SIZE, MARK_SIZE = 8, 7, 9, 6
LINE_STEP = 9
BULLET_INDENT = 5
LABEL_WIDTH = LABEL_R - L - 8
# The comments box the interpreter fills: 80 points high on Worksheet A, 210
# on Worksheet B, 550 wide.
COMMENTS_HEIGHT = {"a": 80, "b": 210}
FORM = {"a": ("CC-DR-034", "Md. Rule 9-206(c)",
              "WORKSHEET A - CHILD SUPPORT OBLIGATION: PRIMARY PHYSICAL CUSTODY"),
        "b": ("CC-DR-035", "Md. Rule 9-206(d)",
              "WORKSHEET B - CHILD SUPPORT OBLIGATION: SHARED PHYSICAL CUSTODY")}
REVISION = "(Rev. 08/2024)"


def wrap(text, width, size, bold=False):
    """The lines of `text` within `width` points."""
    font = "Helvetica-Bold" if bold else "Helvetica"
    lines, line = [], ""
    for word in text.split():
        candidate = word if not line else line + " " + word
        if stringWidth(candidate, font, size) <= width or not line:
            line = candidate
        else:
            lines.append(line)
            line = word
    return lines + ([line] if line else [])


class Line:
    """One line of a form table: a bold title (or a plain sub-line) with its
    notes, and what its cells show."""

    def __init__(self, title, notes="", values=None, marks=None, signs=None, fixed=None, freq=False,
                 sub=False, letters=False, multifamily=False, bullets=()):
        indent = 10 if sub else 0
        self.indent = indent
        self.title = wrap(title, LABEL_WIDTH - indent, TITLE_SIZE, bold=not sub)
        # Lines of the notes with their indent: each paragraph on lines of
        # its own, a bullet's lines hanging under its first.
        self.notes = []
        for paragraph in [notes] if isinstance(notes, str) else notes:
            self.notes += [(line, 0) for line in wrap(paragraph, LABEL_WIDTH - indent, NOTE_SIZE)]
        for bullet in bullets:
            parts = wrap(bullet, LABEL_WIDTH - indent - BULLET_INDENT, NOTE_SIZE)
            self.notes += [("\u2022 " + parts[0], 0)] + [(part, BULLET_INDENT) for part in parts[1:]]
        self.sub = sub
        self.values = values or {}
        self.marks = marks or {}
        self.signs = signs or {}
        self.fixed = fixed or {}
        self.freq = freq
        self.letters = letters
        self.multifamily = multifamily
        count = len(self.title) + len(self.notes)
        self.height = 44 if multifamily else max(15, 6 + LINE_STEP * count)


def value_width(col, sign):
    left, _ = CELL[col]
    return VALUE_X[col] - (left + 4) - SIGN_ROOM[sign]


def table_head(s, y, parent_columns=True):
    s.text(FREQ_X["m"], y + 11, "Freq", 8, bold=True, align="bc")
    s.text(FREQ_X["f"], y + 11, "Freq", 8, bold=True, align="bc")
    s.field((P1 + FREQ2) / 2, y + 11, "parent1_m", 9, bold=True, align="bc", width=FREQ2 - P1 - 4)
    s.field((P2 + COMB) / 2, y + 11, "parent2_d", 9, bold=True, align="bc", width=COMB - P2 - 4)
    s.text((COMB + R) / 2, y + 11, "Combined", 9, bold=True, align="bc")
    return y + 16


def multifamily_cells(s, y):
    """Line 1d: the number of other children, the schedule amount for them
    times .75, and the allowance subtracted from the income."""
    for col in ("m", "f"):
        left, right = CELL[col]
        s.field(left + 18, y + 12, "multifamily_children_" + col, align="br", width=14)
        s.text(left + 21, y + 12, "#Children", 7)
        s.field(right - 22, y + 26, "multifamily_basic_" + col, align="br", width=right - 22 - (left + 4))
        s.text(right - 19, y + 26, "X.75", 6)
        s.text(left + 3, y + 40, "-", 8)
        s.field(VALUE_X[col], y + 40, "multifamily_adj_" + col, width=value_width(col, "-"))


def table(s, top, lines):
    """Draws a ruled table of form lines from `top`, its head first; returns
    its bottom."""
    y = table_head(s, top)
    s.rule(L, y, R, y)
    for line in lines:
        x = L + 4 + line.indent
        for i, title in enumerate(line.title):
            s.text(x, y + 10 + LINE_STEP * i, title, TITLE_SIZE, bold=not line.sub)
        for i, (note, dx) in enumerate(line.notes):
            s.text(x + dx, y + 10 + LINE_STEP * (len(line.title) + i), note, NOTE_SIZE)
        base = y + line.height / 2 + 3.2
        if line.multifamily:
            multifamily_cells(s, y)
        if line.freq:
            for col in ("m", "f"):
                s.text(FREQ_X[col], base, "M", 8, align="bc")
        if line.letters:
            s.text(P1 + 4, base, "A", 7)
            s.text(P2 + 4, base, "B", 7)
        for col, name in line.values.items():
            sign = "A" if line.letters else line.signs.get(col, "")
            s.field(VALUE_X[col], base, name, width=value_width(col, sign))
        for col, name in line.marks.items():
            s.field(MARK_X[col], base - 4, name, MARK_SIZE, align="bl", width=8)
        for col, sign in line.signs.items():
            s.text(CELL[col][0] + 3, base, sign, 8)
        for col, text in line.fixed.items():
            s.text(VALUE_X[col], base, text, VALUE_SIZE, align="br")
        y += line.height
        s.rule(L, y, R, y)
    s.box(L, top, R, y)
    for x in (LABEL_R, P1, FREQ2, P2, COMB):
        s.rule(x, top, x, y)
    return y


def blank(s, x1, x2, y, field, caption, size=10, lines=1, align="bl"):
    """A form blank: the value on a rule, its caption under the rule."""
    at = {"bl": x1 + 2, "bc": (x1 + x2) / 2}[align]
    s.field(at, y, field, size, align=align, width=x2 - x1 - 4, lines=lines)
    s.rule(x1, y + 3, x2, y + 3)
    if caption:
        s.text(x1 if align == "bl" else (x1 + x2) / 2, y + 11, caption, 7, align=align)


def header(s, form, children_caption, court_caption, number_caption, vs):
    number, rule, title = FORM[form]
    s.note("Restricted information, court and case number")
    s.text(L, 34, "This form contains Restricted Information.", 9, bold=True)
    s.field(L, 62, "court_title", 11, bold=True, align="bl", width=178)
    blank(s, 202, 345, 62, "court_county", court_caption, align="bc")
    s.text(352, 62, "Case No.", 11, bold=True)
    blank(s, 404, R, 62, "casenum", "", lines=2)

    s.note("Parties: name, address, city, state and zip, telephone")
    s.text(CENTRE, 94, vs, 10, align="bc")
    for side, (x1, x2) in (("plaintiff", (L, 280)), ("defendant", (315, R))):
        blank(s, x1, x2, 106, side, "Name", lines=2)
        blank(s, x1, x2, 133, side + "_address", "Address")
        blank(s, x1, x2, 160, side + "_city_state_zip", "City, State, Zip")
        blank(s, x1, x2, 187, side + "_phone", "Telephone")
    s.field((L + 280) / 2, 210, "plaintiff_m", 9, bold=True, align="bc", width=200)
    s.field((315 + R) / 2, 210, "defendant_d", 9, bold=True, align="bc", width=200)

    s.note("Title and notice")
    s.text(CENTRE, 234, title, 11, bold=True, align="bc")
    s.text(CENTRE, 247, rule, 9, bold=True, align="bc")
    s.text(CENTRE, 259, "(%s)" % number, 9, align="bc")
    s.text(CENTRE, 274, "You must file a Notice Regarding Restricted Information Pursuant to Rule 20-201.1 "
           "(form MDJ-008) with this submission.", 8, bold=True, align="bc")

    s.note("Children")
    s.text(L + 4, 298, number_caption, 9)
    s.field(L + 130, 298, "numchildren", 9, align="bl", width=30)
    s.rule(L + 126, 301, L + 166, 301)
    name_caption, date_caption = children_caption
    for side, (name_x1, name_x2, date_x1, date_x2) in enumerate(((L, 195, 203, 285), (305, 480, 488, R))):
        for i in range(3):
            n = side * 3 + i + 1
            y = 322 + 24 * i
            blank(s, name_x1, name_x2, y, "childn%d" % n, name_caption, size=9)
            blank(s, date_x1, date_x2, y, "bday%d" % n, date_caption, size=9)
    s.text(L, 398, "Frequencies are;M=Monthly,W=Weekly,B=Bi-Weekly,S=Semi-Monthly", 7)


def footer(s, form):
    number = FORM[form][0]
    s.note("Footer")
    s.text(L, 806, number, 8, bold=True)
    s.text(L + 48, 806, REVISION, 8)
    s.text(R, 806, "Page {page} of {pages}", 8, align="br")
    s.text(CENTRE, 817, "Orva-Calc Professional Version 16.2, Copyright \u00a9 2024 Pellwood", 6, align="bc")
    s.field(CENTRE, 825, "guidelines", 6, align="bc", width=300)


def comments(s, form, top, caption):
    """The comments box with its caption, and "Prepared By" and "Date" in its
    last row; returns its bottom."""
    s.note("Comments, preparer and date")
    lines = wrap(caption, R - L - 10, 8)
    for i, line in enumerate(lines):
        s.text(L + 5, top + 11 + 10 * i, line, 8)
    text_top = top + 14 + 10 * len(lines)
    s.field(L + 5, text_top, "comments", 8, align="bl")
    row = text_top + COMMENTS_HEIGHT[form] + 8
    s.rule(L, row, R, row)
    prepared, date = ("Prepared By:", "Date:") if form == "a" else ("PREPARED BY:", "DATE:")
    after = L + 5 + stringWidth(prepared, "Helvetica-Bold", 8) + 6
    s.text(L + 5, row + 16, prepared, 8, bold=True)
    s.field(after + 2, row + 16, "preparer", 9, align="bl", width=300 - after - 4, lines=2)
    s.rule(after, row + 19, 300, row + 19)
    after = 330 + stringWidth(date, "Helvetica-Bold", 8) + 6
    s.text(330, row + 16, date, 8, bold=True)
    s.field(after + 2, row + 16, "date", 9, align="bl", width=R - 6 - after - 4)
    s.rule(after, row + 19, R - 6, row + 19)
    bottom = row + 26
    s.box(L, top, R, bottom)
    return bottom


def income_lines(code_note, dollar=None):
    return [
        Line("1. MONTHLY ACTUAL INCOME", code_note, freq=True,
             values={"m": "monthly_income_m", "f": "monthly_income_f", "c": "line1_c"},
             marks={"m": "fnn1", "f": "fnn2"}, signs=dollar),
        Line("a. Minus preexisting child support payment actually paid", sub=True, freq=True,
             values={"m": "existing_child_supp_pay_m", "f": "existing_child_supp_pay_f"},
             marks={"m": "fnn3", "f": "fnn4"}, signs={"m": "-", "f": "-"}),
        Line("b. Minus alimony actually paid", sub=True, freq=True,
             values={"m": "alimony_paid_m", "f": "alimony_paid_f"},
             marks={"m": "fnn5", "f": "fnn6"}, signs={"m": "-", "f": "-"}),
        Line("c. Plus/minus alimony awarded in this case", sub=True, freq=True,
             values={"m": "alimony_awarded_m", "f": "alimony_awarded_f"},
             marks={"m": "fnn7", "f": "fnn8"}, signs={"m": "+/-", "f": "+/-"}),
        Line("d. Multifamily Adjustment", sub=True, multifamily=True),
        Line("2. MONTHLY ADJUSTED ACTUAL INCOME", values={"m": "line2_m", "f": "line2_f", "c": "line2_c"}),
        Line("3. PERCENTAGE SHARE OF INCOME",
             "(Divide each parent's income on line 2 by the combined income on line 2)",
             values={"m": "line3_m", "f": "line3_f"}),
        Line("4. BASIC CHILD SUPPORT OBLIGATION", "(Apply line 2 Combined Income to Child Support Schedule.)",
             values={"c": "line4_c"}),
    ]


def expense_lines(totals, captions):
    fields = ["work_related_child_exp", "health_ins_pay", "extraordinary", "cmedsup", "add_expenses"]
    lines = []
    for i, ((title, note), field) in enumerate(zip(captions, fields)):
        slot = 9 + 2 * i
        lines.append(Line(title, note, sub=True, freq=True,
                          values={"m": field + "_m", "f": field + "_f", "c": totals + "abcde"[i]},
                          marks={"m": "fnn%d" % slot, "f": "fnn%d" % (slot + 1)}, signs={"c": "+"}))
    return lines


def court_form_a():
    s = Script("Worksheet A (guidelines from July 1, 2022): the court's form CC-DR-034, Rev. 08/2024")
    header(s, "a", ("Name Of Child", "Date Of Birth"), "City Or County", "Number of Minor Children :", "VS.")
    s.note("Lines 1 to 5")
    lines = income_lines("(Before taxes)(Code, Family Law Article, \u00a7 12-201 (b))")
    lines += expense_lines("line4_c", [
        ("a. Work-Related Child Care Expenses", "(Code, Family Law Article, \u00a7 12-204 (g))"),
        ("b. Health Insurance Expenses", "(Code, Family Law Article, \u00a7 12-204 (h)(1))"),
        ("c. Extraordinary Medical Expenses", "(Code, Family Law Article, \u00a7 12-204 (h) (2))"),
        ("d. Cash Medical Support", "(Code, Family Law Article, \u00a7 12-102 (c) - applies only to a child "
                                    "support order under Title IV, Part D of the Social Security Act)"),
        ("e. Additional Expenses", "(Code, Family Law Article \u00a7 12-204 (i))"),
    ])
    lines.append(Line("5. TOTAL CHILD SUPPORT OBLIGATION", "(Add lines 4, 4a, 4b, 4c, 4d, and 4e.)",
                      values={"c": "line5_c"}))
    table(s, 402, lines)
    footer(s, "a")

    s.new_page()
    s.note("Lines 6 to 9")
    bottom = table(s, 40, [
        Line("6. EACH PARENT'S CHILD SUPPORT OBLIGATION", "(Multiply line 5 by line 3 for each parent.)",
             values={"m": "line6_m", "f": "line6_f"}),
        Line("7. TOTAL DIRECT PAY BY EACH PARENT",
             "(Add the expenses shown on lines 4a, 4b, 4c, 4d, and 4e paid by each parent.)",
             values={"m": "line7_m", "f": "line7_f"}),
        Line("8. RECOMMENDED CHILD SUPPORT AMOUNT", "(Subtract line 7 from line 6 for each parent.)",
             values={"m": "line8_m", "f": "line8_f"}),
        Line("9. RECOMMENDED CHILD SUPPORT ORDER",
             "(Bring down amount from line 8 for the non-custodial parent only. If this is a negative number, "
             "see Comment (2), below.)",
             values={"m": "line9_m", "f": "line9_f"}),
    ])
    comments(s, "a", bottom + 12,
             "Comments or special adjustments, such as (1) any adjustment for certain third party benefits paid "
             "to or for the child of an obligor who is disabled, retired, or receiving benefits as a result of a "
             "compensable claim (see Code, Family Law Article, \u00a7 12-204 (j) or (2) that there is a negative "
             "dollar amount on line 9, which indicates a recommended child support order directing the custodial "
             "parent to reimburse the non-custodial parent this amount for \u201cdirect pay\u201d expenses):")
    footer(s, "a")
    return s


def worksheet_c_lines():
    excess = "The excess amount of direct payments made by the parent who pays more than the amount calculated %s"
    share = ("Total amount of direct payments made for Line 13 %s expenses multiplied by each parent's "
             "percentage of income (Line 3, WORKSHEET B)%s")
    captions = [
        ("a", share % ("a", "(Proportionate share).")),
        ("b", (excess % "in Line a, above.") + " (The difference between amount paid and proportionate share)."),
        ("c", share % ("b", ".")),
        ("d", excess % "on line c, above."),
        ("e", share % ("c", ".")),
        ("f", excess % "in line e, above."),
        ("g", share % ("d", ".")),
        ("h", excess % "in Line g, above."),
        ("i", share % ("e", ".")),
        ("j", excess % "in Line i, above."),
        ("k", "For each parent, add lines b, d, f, h, and j."),
        ("l", "Subtract lesser amount from greater amount in Line k, above. Place the answer on this line under "
              "the lesser amount in Line k. Also enter this answer on line 14 of WORKSHEET B, in the same "
              "parent's column."),
    ]
    return [("%s. %s" % (letter, text), "line%s" % letter.upper()) for letter, text in captions]


def worksheet_c(s, top):
    """Worksheet C: the label, then one column per parent."""
    left, middle = 435, 505
    s.field((left + middle) / 2, top + 11, "parent1_m", 9, bold=True, align="bc", width=middle - left - 4)
    s.field((middle + R) / 2, top + 11, "parent2_d", 9, bold=True, align="bc", width=R - middle - 4)
    y = top + 16
    s.rule(L, y, R, y)
    for caption, field in worksheet_c_lines():
        lines = wrap(caption, left - L - 10, NOTE_SIZE)
        height = max(20, 8 + LINE_STEP * len(lines))
        for i, line in enumerate(lines):
            s.text(L + 4, y + 10 + LINE_STEP * i, line, NOTE_SIZE)
        base = y + height / 2 + 3.2
        s.field(middle - 6, base, field + "_m", width=middle - 6 - (left + 4))
        s.field(R - 6, base, field + "_f", width=R - 6 - (middle + 4))
        y += height
        s.rule(L, y, R, y)
    s.box(L, top, R, y)
    s.rule(left, top, left, y)
    s.rule(middle, top, middle, y)
    return y


def court_form_b():
    s = Script("Worksheet B (guidelines from July 1, 2022): the court's form CC-DR-035, Rev. 08/2024, "
               "with Worksheet C")
    header(s, "b", ("Name of Child", "Date of Birth"), "City or County", "Number of Minor Children:", "vs.")
    s.note("Lines 1 to 8")
    lines = income_lines("(Before taxes) (Code, Family Law Article, \u00a7 12-201 (b))", {"m": "$", "f": "$"})
    lines += [
        Line("5. ADJUSTED BASIC CHILD SUPPORT OBLIGATION", "(Multiply line 4 by 1.5)", values={"c": "line5_c"}),
        Line("6. OVERNIGHTS with each parent (must total 365)", values={"m": "line6_m", "f": "line6_f"},
             fixed={"c": "365"}),
        Line("7. PERCENTAGE WITH EACH PARENT", "(Line 6 divided by 365)", letters=True,
             values={"m": "line7_m", "f": "line7_f"}),
        Line("STOP HERE IF line 7 is less than 25% for either parent. Shared physical custody does not apply. "
             "(Use WORKSHEET A, instead.)", sub=True),
        Line("8. EACH PARENT'S SHARE OF ADJUSTED BASIC CHILD SUPPORT OBLIGATION",
             "(Multiply line 5 by line 3 for each parent.)", letters=True,
             values={"m": "line8_m", "f": "line8_f"}),
    ]
    table(s, 402, lines)
    footer(s, "b")

    s.new_page()
    s.note("Lines 9 to 16")
    over = "If the number of overnights with that parent is %s, multiply that parent's line 9 by %s."
    lines = [
        Line("9. THEORETICAL BASIC CHILD SUPPORT OBLIGATION FOR TIME WITH OTHER PARENT",
             ["(Multiply line 8A by line 7B and put answer on line 9A.)",
              "(Multiply line 8B by line 7A and put answer on line 9B.)"],
             values={"m": "line9_m", "f": "line9_f"}),
        Line("10. SHARED PHYSICAL CUSTODY ADJUSTMENT",
             "(If line 7 for a parent is more than 25% but less than 30%, multiply that parent's line 9 by the "
             "amount indicated below):",
             bullets=[over % ("92, 93, or 94", ".10"), over % ("95, 96, 97, or 98", ".08"),
                      over % ("99, 100, 101, or 102", ".06"), over % ("103, 104, or 105", ".04"),
                      over % ("106, 107, 108, or 109", ".02")],
             letters=True, values={"m": "line10_m", "f": "line10_f"}),
        Line("11. ADJUSTED THEORETICAL BASIC CHILD SUPPORT OBLIGATION",
             "(If the shared physical custody adjustment is applicable, add line 10 to that parent's line 9 "
             "and put the answer on line 11.)",
             letters=True, values={"m": "line11_m", "f": "line11_f"}),
        Line("12. NET BASIC CHILD SUPPORT OBLIGATION",
             "(If there is no shared physical custody adjustment, subtract lesser amount from greater amount in "
             "line 9 and place answer here under column with greater amount in line 9. If there is a shared "
             "physical custody adjustment, for that parent use the amount from line 11 instead of from line 9 "
             "when completing the calculation.).",
             values={"m": "line12_m", "f": "line12_f"}),
        Line("13. EXPENSES :"),
    ]
    lines += expense_lines("line13_c", [
        ("a. Work-Related Child Care Expenses", "(Code, Family Law Article \u00a7 12-204 (g))"),
        ("b. Health Insurance Expenses", "(Code, Family Law Article \u00a7 12-204 (h) (1))"),
        ("c. Extraordinary Medical Expenses", "(Code, Family Law Article \u00a7 12-204 (h) (2))"),
        ("d. Cash Medical Support", "(Code, Family Law Article \u00a7 12-102 (c) applies only to a child "
                                    "support order under Title IV, Part D of the Social Security Act)"),
        ("e. Additional Expenses", "(Code, Family Law Article \u00a7 12-204 (i))"),
    ])
    lines += [
        Line("14. NET ADJUSTMENT FROM WORKSHEET C.",
             "Enter amount from line l, WORKSHEET C, if applicable. If not, continue to line 15.",
             values={"m": "line14_m", "f": "line14_f"}),
        Line("15. NET BASIC CHILD SUPPORT OBLIGATION", "(From line 12, WORKSHEET B)",
             values={"m": "line15_m", "f": "line15_f"}),
        Line("16. RECOMMENDED CHILD SUPPORT ORDER",
             "(If the same parent owes money under lines 14 and line 15, add these two figures to obtain the "
             "amount owed by that parent. If one parent owes money under line 14 and the other owes money under "
             "line 15, subtract the lesser amount from the greater amount to obtain the difference. The parent "
             "owing the greater of the two amounts on lines 14 and 15 will owe that difference as the child "
             "support obligation. NOTE: The amount owed in a shared custody arrangement may not exceed the "
             "amount that would be owed if the obligor parent were a non-custodial parent. See (WORKSHEET A)).",
             values={"m": "line16_m", "f": "line16_f"}),
    ]
    table(s, 40, lines)
    footer(s, "b")

    s.new_page()
    bottom = comments(s, "b", 40,
                      "Comments or special adjustments, such as any adjustment for certain third party benefits "
                      "paid to or for the child of an obligor who is disabled, retired, or receiving benefits as "
                      "a result of a compensable claim (see Code, Family Law Article, \u00a7 12-204 (j)):")
    s.note("Worksheet C")
    instructions = ("Use Worksheet C ONLY if any of the Expenses listed in Lines 13 a, 13 b, 13 c, 13 d or "
                    "13 e is directly paid out or received by the parents in a different proportion than the "
                    "percentage share of income entered on line 3 of Worksheet B. Example: If one parent pays "
                    "all of the day care, or parents split education/medical costs 50/50 and line 3 is other "
                    "than 50/50. If there is more than one 11 e expense, the calculations on Lines i and j below "
                    "must be made for each expense.")
    y = bottom + 20
    s.text(L, y, "INSTRUCTIONS FOR WORKSHEET C:", 8, bold=True)
    for i, line in enumerate(wrap(instructions, R - L, 8)):
        s.text(L, y + 11 + 10 * i, line, 8)
    y += 11 + 10 * len(wrap(instructions, R - L, 8)) + 12
    s.text(L, y, "WORKSHEET C - FOR ADJUSTMENTS, LINE 14, WORKSHEET B", 9, bold=True)
    worksheet_c(s, y + 6)
    footer(s, "b")
    return s


def court_form_continuation(form):
    number, _, title = FORM[form]
    s = Script("%s: continuation page for the comments and footnotes its own box cannot hold" % number)
    s.new_page()
    s.note("Continuation header")
    s.text(CENTRE, 36, title + " (continued)", 10, bold=True, align="bc")
    s.field(CENTRE - 12, 51, "plaintiff", 9, align="br", width=CENTRE - 12 - L)
    s.text(CENTRE, 51, "vs.", 9, align="bc")
    s.field(CENTRE + 12, 51, "defendant", 9, align="bl", width=R - (CENTRE + 12))
    s.text(CENTRE - 2, 62, "Case No.", 9, bold=True, align="br")
    s.field(CENTRE + 2, 62, "casenum", 9, align="bl", width=R - (CENTRE + 2))
    s.note("The rest of the comments and footnotes")
    s.text(L + 4, 86, "Comments and footnotes, continued", 9, bold=True)
    s.box(L, 90, R, 90 + 4 + 690 + 4)
    s.field(L + 4, 94, "comments", 8, align="bl")
    footer(s, form)
    return s
