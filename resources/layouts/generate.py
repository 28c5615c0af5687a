#!/usr/bin/env python3
"""Writes the worksheet layout scripts of this folder: Worksheets A and B of
the July 2022 guidelines, laid out as the court's current forms (see
court_forms.py), Worksheet A of the older versions, Worksheet B of October
2020 and before it, and the continuation pages.

The program reads the .txt files (compiled in as resources); this generator
only saves placing every rule and text by hand. Edit the geometry or the
wording here, run `python3 generate.py` in this folder, look at the rendered
worksheets, and commit both.

Command lines: "G" line, "B" box, "TB" text item (x, y, width, text, size,
weight, lines, alignment[, "d", field]), "BPG" new page. Units are points from
the top-left corner of an A4 page (595 x 842); y is the text baseline. Width
is the room a bound text has (0: none given); lines is "2" where a text may
take a second line above its baseline. Fixed texts may carry {page} and
{pages}. Every worksheet has a continuation page for the comments and
footnotes its own box cannot hold.
"""

import os

from court_forms import court_form_a, court_form_b, court_form_continuation
from script import Script, num

PAGE_W = 595
L, R = 20, 575            # outer frame of the tables
C1, C2, C3 = 330, 412, 494  # label | first parent | second parent | combined
CENTRE = PAGE_W / 2
VALUE_SIZE = 9
MARK_SIZE = 6

# Right edge of the amounts in each column, and where footnote marks go.
VALUE_X = {"m": C2 - 11, "f": C3 - 11, "c": R - 9}
MARK_X = {"m": C2 - 9.5, "f": C3 - 9.5}
MARK_WIDTH = 8
COLUMN_LEFT = {"m": C1, "f": C2, "c": C3}
# Room the sign printed at the left of a cell takes from its amount.
SIGN_ROOM = {"": 0, "-": 6, "+": 6, "+/-": 14}
COMMENTS_WIDTH = 550
CONTINUATION_COMMENTS_HEIGHT = 690  # as the interpreter lays out each continuation page


def value_width(col, sign=""):
    return VALUE_X[col] - (COLUMN_LEFT[col] + 4) - SIGN_ROOM[sign]


class Row:
    """One worksheet line: caption (bold title and notes, or a plain sub-line)
    and the bound amounts of its columns."""

    def __init__(self, title, notes=(), values=None, marks=None, signs=None, fixed=None,
                 sub=False, height=None):
        self.title = title
        self.notes = list(notes)
        self.values = values or {}
        self.marks = marks or {}
        self.signs = signs or {}
        self.fixed = fixed or {}
        self.sub = sub
        lines = 1 + len(self.notes)
        self.height = height or (14 if lines == 1 else 8 + 9 * lines)


def table(s, top, rows, heading=None, right=R, columns=(C1, C2, C3)):
    """Draws a ruled table of rows starting at `top`; returns its bottom."""
    y = top
    head_h = 16
    if heading is not None:
        s.text(L + 4, y + 11, heading, 8, bold=True)
    s.field((C1 + C2) / 2, y + 11, "parent1_m", 9, bold=True, align="bc", width=C2 - C1 - 4)
    s.field((C2 + C3) / 2, y + 11, "parent2_d", 9, bold=True, align="bc", width=C3 - C2 - 4)
    if right == R:
        s.text((C3 + R) / 2, y + 11, "Combined", 9, bold=True, align="bc")
    y += head_h
    s.rule(L, y, right, y)
    for row in rows:
        bottom = y + row.height
        x = L + 14 if row.sub else L + 4
        s.text(x, y + 10, row.title, 8, bold=not row.sub)
        for i, note in enumerate(row.notes):
            s.text(x, y + 19 + 9 * i, note, 7)
        base = y + row.height / 2 + 3.2
        for col, name in row.values.items():
            s.field(VALUE_X[col], base, name, width=value_width(col, row.signs.get(col, "")))
        for col, name in row.marks.items():
            s.field(MARK_X[col], base - 4, name, MARK_SIZE, align="bl", width=MARK_WIDTH)
        for col, sign in row.signs.items():
            s.text(COLUMN_LEFT[col] + 4, base, sign, 8)
        for col, text in row.fixed.items():
            s.text(VALUE_X[col], base, text, VALUE_SIZE, align="br")
        y = bottom
        s.rule(L, y, right, y)
    s.box(L, top, right, y)
    for x in columns:
        if x < right:
            s.rule(x, top, x, y)
    return y


def header(s, title, subtitle):
    s.note("Court caption, case number and parties")
    s.field(CENTRE, 38, "court", 12, bold=True, align="bc", width=R - L)
    s.field(CENTRE, 53, "guidelines", 9, align="bc", width=R - L)
    s.text(C2 - 40, 80, "Case No.:", 9, bold=True)
    s.field(C2 + 6, 80, "casenum", 10, align="bl", width=R - (C2 + 6), lines=2)
    s.rule(C2 + 2, 83, R, 83)

    s.field(L + 4, 110, "plaintiff", 10, align="bl", width=270 - (L + 4), lines=2)
    s.rule(L, 113, 270, 113)
    s.field(L, 123, "plaintiff_m", 8, bold=True, align="bl", width=270 - L)
    s.text(CENTRE, 110, "vs.", 10, align="bc")
    s.field(330 + 4, 110, "defendant", 10, align="bl", width=R - (330 + 4), lines=2)
    s.rule(330, 113, R, 113)
    s.field(330, 123, "defendant_d", 8, bold=True, align="bl", width=R - 330)

    s.note("Title")
    s.text(CENTRE, 152, title, 11, bold=True, align="bc")
    s.text(CENTRE, 165, subtitle, 8, align="bc")

    s.note("Children and their birth dates")
    for side, (name_x, name_r, day_x, day_r) in enumerate(((L, 190, 200, 285), (330, 490, 500, R))):
        s.text(name_x, 186, "Name of Child", 7, bold=True)
        s.text(day_x, 186, "Date of Birth", 7, bold=True)
        for i in range(3):
            n = side * 3 + i + 1
            y = 201 + 15 * i
            s.field(name_x + 2, y, "childn%d" % n, 9, align="bl", width=name_r - name_x - 4)
            s.rule(name_x, y + 3, name_r, y + 3)
            s.field(day_x + 2, y, "bday%d" % n, 9, align="bl", width=day_r - day_x - 4)
            s.rule(day_x, y + 3, day_r, y + 3)
    s.text(L, 248, "Number of Minor Children:", 8, bold=True)
    s.field(L + 112, 248, "numchildren", 9, align="bl", width=20)


def continuation_header(s, title):
    s.note("Continuation header")
    s.text(CENTRE, 36, title, 10, bold=True, align="bc")
    # One line each: the first page carries the names and the number in full.
    s.field(CENTRE - 12, 51, "plaintiff", 9, align="br", width=CENTRE - 12 - L)
    s.text(CENTRE, 51, "vs.", 9, align="bc")
    s.field(CENTRE + 12, 51, "defendant", 9, align="bl", width=R - (CENTRE + 12))
    s.text(CENTRE - 2, 62, "Case No.:", 9, bold=True, align="br")
    s.field(CENTRE + 2, 62, "casenum", 9, align="bl", width=R - (CENTRE + 2))


def comments_and_signature(s, top, box_height):
    s.note("Comments, footnotes, preparer and date")
    s.text(L + 4, top + 10, "Comments or special adjustments, and the notes to the amounts marked with numbers:",
           8, bold=True)
    box_top = top + 14
    s.box(L, box_top, R, box_top + box_height + 8)
    s.field(L + 4, box_top + 4, "comments", 8, align="bl")
    y = box_top + box_height + 8 + 24
    s.text(L + 4, y, "Prepared by:", 8, bold=True)
    s.field(L + 62, y, "preparer", 9, align="bl", width=300 - (L + 62) - 2, lines=2)
    s.rule(L + 58, y + 3, 300, y + 3)
    s.text(C1, y, "Date:", 8, bold=True)
    s.field(C1 + 30, y, "date", 9, align="bl", width=R - (C1 + 30))
    s.rule(C1 + 26, y + 3, R, y + 3)


def footer(s, name):
    s.note("Footer")
    s.rule(L, 808, R, 808)
    s.text(L, 820, "Orva-Calc Professional Version 16.2", 7)
    s.text(CENTRE, 820, "%s, page {page} of {pages}" % name, 7, align="bc")
    s.text(R, 820, "Copyright \u00a9 2024 Pellwood", 7, align="br")


def income_rows():
    line2_note = "(Line 1 minus lines 1a and 1b, plus or minus line 1c)"
    return [
        Row("1. MONTHLY ACTUAL INCOME (Before taxes)", ["(Code, Family Law Article, \u00a7 12-201(b))"],
            values={"m": "monthly_income_m", "f": "monthly_income_f", "c": "line1_c"},
            marks={"m": "fnn1", "f": "fnn2"}),
        Row("a. Minus preexisting child support payment actually paid", sub=True,
            values={"m": "existing_child_supp_pay_m", "f": "existing_child_supp_pay_f"},
            marks={"m": "fnn3", "f": "fnn4"}, signs={"m": "-", "f": "-"}),
        Row("b. Minus alimony actually paid", sub=True,
            values={"m": "alimony_paid_m", "f": "alimony_paid_f"},
            marks={"m": "fnn5", "f": "fnn6"}, signs={"m": "-", "f": "-"}),
        Row("c. Plus/minus alimony awarded in this case", sub=True,
            values={"m": "alimony_awarded_m", "f": "alimony_awarded_f"},
            marks={"m": "fnn7", "f": "fnn8"}, signs={"m": "+/-", "f": "+/-"}),
    ] + [
        Row("2. MONTHLY ADJUSTED ACTUAL INCOME", [line2_note],
            values={"m": "line2_m", "f": "line2_f", "c": "line2_c"}),
        Row("3. PERCENTAGE SHARE OF INCOME",
            ["(Divide each parent's income on line 2 by the combined income on line 2)"],
            values={"m": "line3_m", "f": "line3_f"}),
        Row("4. BASIC CHILD SUPPORT OBLIGATION",
            ["(Apply the line 2 combined income to the Child Support Schedule)"],
            values={"c": "line4_c"}),
    ]


def expense_rows(line, totals):
    captions = [
        ("a. Work-Related Child Care Expenses", "(Code, Family Law Article, \u00a7 12-204(g))",
         "work_related_child_exp", 9),
        ("b. Health Insurance Expenses", "(Code, Family Law Article, \u00a7 12-204(h)(1))", "health_ins_pay", 11),
        ("c. Extraordinary Medical Expenses", "(Code, Family Law Article, \u00a7 12-204(h)(2))", "extraordinary", 13),
        ("d. Cash Medical Support", "(Code, Family Law Article, \u00a7 12-102(c))", "cmedsup", 15),
        ("e. Additional Expenses", "(Code, Family Law Article, \u00a7 12-204(i))", "add_expenses", 17),
    ]
    rows = []
    for (title, code, field, slot), total in zip(captions, totals):
        rows.append(Row("%s %s" % (title, code), sub=True,
                        values={"m": field + "_m", "f": field + "_f", "c": total},
                        marks={"m": "fnn%d" % slot, "f": "fnn%d" % (slot + 1)}, signs={"c": "+"}))
    return rows


def worksheet_a():
    s = Script("Worksheet A: child support obligation, primary (sole) physical custody")
    header(s, TITLE_A,
           "Maryland Child Support Guidelines (Code, Family Law Article, \u00a7\u00a7 12-201 to 12-204)")
    s.note("Lines 1 to 8")
    rows = income_rows()
    rows += expense_rows("4", ["line4_ca", "line4_cb", "line4_cc", "line4_cd", "line4_ce"])
    rows += [
        Row("5. TOTAL CHILD SUPPORT OBLIGATION", ["(Add lines 4, 4a, 4b, 4c, 4d and 4e)"],
            values={"c": "line5_c"}),
        Row("6. EACH PARENT'S CHILD SUPPORT OBLIGATION", ["(Multiply line 5 by line 3 for each parent)"],
            values={"m": "line6_m", "f": "line6_f"}),
        Row("7. BASIC CHILD SUPPORT AMOUNT DUE", ["(Bring down line 6 for the non-custodial parent only)"],
            values={"m": "line7_m", "f": "line7_f"}),
        Row("a. Minus direct pay: lines 4a, 4b, 4c and 4e paid by the non-custodial parent", sub=True,
            values={"m": "line7a_m", "f": "line7a_f"}),
        Row("8. RECOMMENDED CHILD SUPPORT ORDER",
            ["(Add lines 7 and 7a for the non-custodial parent. When the direct pay is the greater,",
             "the custodial parent owes the difference to the non-custodial parent; it is shown",
             "in the custodial parent's column.)"],
            values={"m": "line8_m", "f": "line8_f"}),
    ]
    bottom = table(s, 250, rows)
    comments_and_signature(s, bottom + 8, 80)
    footer(s, "Worksheet A")
    return s


def worksheet_b(pre_oct_2020):
    version = "guidelines before October 1, 2020" if pre_oct_2020 else "guidelines from October 1, 2020"
    s = Script("Worksheet B: child support obligation, shared physical custody (%s)" % version)
    title = TITLE_B
    header(s, title, "Maryland Child Support Guidelines (Code, Family Law Article, \u00a7\u00a7 12-201 to 12-204)")
    s.note("Lines 1 to 11")
    rows = income_rows()
    rows += [
        Row("5. SHARED BASIC CHILD SUPPORT OBLIGATION", ["(Multiply line 4 by 1.5)"], values={"c": "line5_c"}),
        Row("6. OVERNIGHTS WITH EACH PARENT", ["(Must total 365)"],
            values={"m": "line6_m", "f": "line6_f"}, fixed={"c": "365"}),
        Row("7. PERCENTAGE OF TIME WITH EACH PARENT", ["(Line 6 divided by 365)"],
            values={"m": "line7_m", "f": "line7_f"}),
        Row("8. EACH PARENT'S SHARE OF THE SHARED BASIC OBLIGATION",
            ["(Multiply line 5 by line 3 for each parent)"],
            values={"m": "line8_m", "f": "line8_f"}),
    ]
    if pre_oct_2020:
        line9_note = "(Multiply each parent's line 8 by the other parent's line 7)"
    else:
        rows += [
            Row("Plus shared physical custody adjustment (parent with 92 to 109 overnights)", sub=True,
                values={"m": "line8add_m", "f": "line8add_f"}, signs={"m": "+", "f": "+"}),
            Row("Adjusted share (line 8 plus the adjustment)", sub=True,
                values={"m": "line8sum_m", "f": "line8sum_f"}),
        ]
        line9_note = "(Multiply each parent's adjusted share on line 8 by the other parent's line 7)"
    rows += [
        Row("9. OBLIGATION FOR TIME WITH THE OTHER PARENT", [line9_note],
            values={"m": "line9_m", "f": "line9_f"}),
        Row("10. NET BASIC CHILD SUPPORT OBLIGATION",
            ["(Subtract the lesser amount on line 9 from the greater; enter the difference",
             "under the parent with the greater amount)"],
            values={"m": "line10_m", "f": "line10_f"}),
        Row("11. EXPENSES", []),
    ]
    rows += expense_rows("11", ["line11_ca", "line11_cb", "line11_cc", "line11_cd", "line11_ce"])
    table(s, 250, rows)
    footer(s, "Worksheet B")

    s.new_page()
    continuation_header(s, title + " (continued)")
    s.note("Expense adjustment, lines A to L, and lines 12 to 14")
    share = "(Line %s combined multiplied by line 3 for each parent)"
    excess = "(Amount paid on line %s minus line %s, when the amount paid is the greater)"
    letters = [
        ("A", "Share of work-related child care expenses", share % "11a"),
        ("B", "Excess paid for work-related child care", excess % ("11a", "A")),
        ("C", "Share of health insurance expenses", share % "11b"),
        ("D", "Excess paid for health insurance", excess % ("11b", "C")),
        ("E", "Share of extraordinary medical expenses", share % "11c"),
        ("F", "Excess paid for extraordinary medical expenses", excess % ("11c", "E")),
        ("G", "Share of cash medical support", share % "11d"),
        ("H", "Cash medical support credit",
         "(Minus line G, except for the parent with the greater percentage on line 7)"),
        ("I", "Share of additional expenses", share % "11e"),
        ("J", "Excess paid for additional expenses", excess % ("11e", "I")),
        ("K", "Total credits", "(For each parent, add lines B, D, F, H and J)"),
        ("L", "Net adjustment for expenses",
         "(Subtract the lesser line K from the greater; enter the difference under the lesser)"),
    ]
    rows = [Row("%s. %s" % (letter, caption), [note],
                values={"m": "line%s_m" % letter, "f": "line%s_f" % letter})
            for letter, caption, note in letters]
    rows += [
        Row("12. NET ADJUSTMENT FOR EXPENSES", ["(From line L)"], values={"m": "line12_m", "f": "line12_f"}),
        Row("13. NET BASIC CHILD SUPPORT OBLIGATION", ["(From line 10)"],
            values={"m": "line13_m", "f": "line13_f"}),
        Row("14. RECOMMENDED CHILD SUPPORT ORDER",
            ["(When the same parent owes on lines 12 and 13, add the two amounts.",
             "Otherwise subtract the lesser from the greater: the parent owing",
             "the greater amount owes the difference.)"],
            values={"m": "line14_m", "f": "line14_f"}),
    ]
    bottom = table(s, 76, rows, heading="EXPENSES PAID DIRECTLY", right=C3)
    comments_and_signature(s, bottom + 8, 210)
    footer(s, "Worksheet B")
    return s


def continuation(name, title):
    s = Script("%s: continuation page for the comments and footnotes its own box cannot hold" % name)
    s.new_page()
    continuation_header(s, title + " (continued)")
    s.note("The rest of the comments and footnotes")
    s.text(L + 4, 86, "Comments and footnotes, continued", 9, bold=True)
    box_top = 90
    s.box(L, box_top, R, box_top + 4 + CONTINUATION_COMMENTS_HEIGHT + 4)
    s.field(L + 4, box_top + 4, "comments", 8, align="bl")
    footer(s, name)
    return s


TITLE_A = "WORKSHEET A - CHILD SUPPORT OBLIGATION: PRIMARY PHYSICAL CUSTODY"
TITLE_B = "WORKSHEET B - CHILD SUPPORT OBLIGATION: SHARED PHYSICAL CUSTODY"


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    worksheet_a().write(os.path.join(here, "worksheet-a.txt"))
    worksheet_b(False).write(os.path.join(here, "worksheet-b.txt"))
    worksheet_b(True).write(os.path.join(here, "worksheet-b-pre-oct-2020.txt"))
    court_form_a().write(os.path.join(here, "worksheet-a-jul-2022.txt"))
    court_form_b().write(os.path.join(here, "worksheet-b-jul-2022.txt"))
    court_form_continuation("a").write(os.path.join(here, "worksheet-a-jul-2022-continued.txt"))
    court_form_continuation("b").write(os.path.join(here, "worksheet-b-jul-2022-continued.txt"))
    continuation("Worksheet A", TITLE_A).write(os.path.join(here, "worksheet-a-continued.txt"))
    continuation("Worksheet B", TITLE_B).write(os.path.join(here, "worksheet-b-continued.txt"))
