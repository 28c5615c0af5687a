#!/usr/bin/python3
"""Writes the four fillable court forms opened from the Financial Forms and
Custody Forms menus into resources/forms/ (or the folder given):

  Short-Form-Financial-2016.pdf   Financial Statement, Md. Rule 9-202
  Long-Form-Financial-2016.pdf    Financial Statement, Md. Rule 9-203
  Joint-Parenting-Statement.pdf   Joint Statement of the Parties concerning
                                  decision-making and parenting time
  Parent-Plan-Tool.pdf            Parenting Plan tool

Run with Debian's Python (python3-reportlab):  /usr/bin/python3 tools/forms/generate.py
Edit this script, run it, look at the forms, commit both.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from formkit import CONTENT_W, MARGIN, Form  # noqa: E402

AFFIRMATION = ("I solemnly affirm under the penalties of perjury that the contents of this document are true "
               "to the best of my knowledge, information and belief.")

PARTY_AND_CHILDREN = [("Party", "party"), ("Children", "children")]


def children_table(form, rows=6):
    form.section("Children of the parties")
    form.grid(["Full name of child", "Date of birth", "Lives with"], [3.2, 1.2, 1.6], rows, "child")


def statement_intro(form, rule):
    form.fields_row([("I am the", "party_role", 110), ("in this case. My name is", "party_fullName", None)])
    form.paragraph("This statement is filed under Maryland Rule %s. Give amounts per month: multiply a weekly "
                   "amount by 4.33, an amount paid every two weeks by 2.17, and divide a yearly amount by 12." % rule)


def short_financial(path):
    form = Form(path, "Financial Statement", "(Child Support Guidelines)  Md. Rule 9-202",
                "Financial Statement (Child Support Guidelines), Md. Rule 9-202")
    form.heading("Md. Rule 9-202")
    statement_intro(form, "9-202")
    children_table(form, rows=4)

    form.section("Part A. Monthly income", "Income from all sources before taxes and deductions.")
    form.amount_table([("Amount", "amount")], [
        ("Wages, salary, commissions and bonuses (gross)", "wages"),
        ("Self-employment or business income, after ordinary business expenses", "business"),
        ("Rental income, after ordinary expenses", "rental"),
        ("Alimony received from a party to another case", "alimonyReceived"),
        ("Pensions, annuities, retirement and disability benefits", "pensions"),
        ("Social Security, unemployment and workers' compensation benefits", "benefits"),
        ("Interest, dividends, royalties, trusts and capital gains", "investments"),
        ("Other income (name it):", "other"),
    ], "income", total="Total monthly income (lines 1 to 8)")

    form.section("Part B. Adjustments and child-related expenses",
                 "Amounts actually paid, per month. The health insurance line is the part of the premium that "
                 "covers the children of this case only.")
    form.amount_table([("Amount", "amount")], [
        ("Child support actually paid for other children", "childSupportPaid"),
        ("Alimony actually paid to a party to this case or another case", "alimonyPaid"),
        ("Health insurance premium for the children of this case", "healthInsurance"),
        ("Extraordinary medical expenses of the children (more than $100 for one illness or condition)",
         "extraordinaryMedical"),
        ("Work-related child care expenses", "childCare"),
        ("School and transportation expenses the parties agreed to or the court ordered", "schoolTransport"),
    ], "adjust")

    form.section("Part C. Monthly expenses for the children")
    form.amount_table([("Amount", "amount")], [
        ("Food and household supplies for the children", "food"),
        ("Clothing and shoes", "clothing"),
        ("School tuition, books, fees and supplies", "school"),
        ("Activities, lessons and camps", "activities"),
        ("Medical, dental, vision and counselling costs not covered by insurance", "uninsured"),
        ("Allowances, gifts and other expenses (name them):", "other"),
    ], "childExp", total="Total monthly expenses for the children")

    form.section("Part D. Monthly expenses of the party")
    form.amount_table([("Amount", "amount")], [
        ("Rent or mortgage, with property tax and insurance", "housing"),
        ("Utilities: electricity, gas, water, telephone and internet", "utilities"),
        ("Food and household supplies", "food"),
        ("Transportation: car payment, insurance, fuel, repairs, fares", "transport"),
        ("Medical, dental and health insurance of the party", "medical"),
        ("Clothing, personal care and other expenses", "other"),
    ], "partyExp", total="Total monthly expenses of the party")

    form.section("Part E. Assets", "What you own, alone or with someone else, and its value today.")
    form.grid(["Kind of asset (bank account, vehicle, house, retirement plan, ...)", "Owned by", "Value"],
              [3.4, 1.4, 1.2], 4, "asset")

    form.section("Part F. Liabilities", "What you owe: loans, mortgages, credit cards and other debts.")
    form.grid(["Owed to", "What for", "Balance", "Monthly payment"], [2.0, 2.0, 1.0, 1.0], 4, "debt")

    form.section("Signature")
    form.signature([("party", "Party")], AFFIRMATION)
    return form.save()


def long_financial(path):
    form = Form(path, "Financial Statement", "Md. Rule 9-203",
                "Financial Statement, Md. Rule 9-203")
    form.heading("Md. Rule 9-203")
    statement_intro(form, "9-203")
    children_table(form, rows=4)

    form.section("Part 1. Income and employment")
    form.fields_row([("Employer:", "job_employer", 250), ("Position:", "job_position", None)])
    form.fields_row([("Employer's address:", "job_address", None)])
    form.fields_row([("Hours worked per week:", "job_hours", 60), ("Paid every:", "job_payPeriod", 100),
                     ("Employed since:", "job_since", None)])
    form.amount_table([("Per month", "month")], [
        ("Gross wages, salary and commissions", "wages"),
        ("Overtime, bonuses and tips", "overtime"),
        ("Self-employment or business income", "business"),
        ("Rental and investment income", "investments"),
        ("Pensions, Social Security, disability and unemployment benefits", "benefits"),
        ("Alimony received", "alimony"),
        ("Child support received for children not of this case", "childSupport"),
        ("Other income (name it):", "other"),
    ], "income", total="Total gross monthly income")
    form.amount_table([("Per month", "month")], [
        ("Federal, state and local income taxes withheld", "taxes"),
        ("Social Security and Medicare", "fica"),
        ("Mandatory retirement contributions", "retirement"),
        ("Health insurance paid through payroll", "health"),
        ("Union dues and other payroll deductions", "other"),
    ], "deduction", total="Total monthly deductions")

    form.section("Part 2. Monthly expenses",
                 "Show the expenses of the household in the first column and the part spent for the children "
                 "in the second.")
    columns = [("Household", "household"), ("For the children", "children")]
    groups = [
        ("A. Housing", "housing", [
            ("Rent or first mortgage", "rent"), ("Second mortgage or home equity loan", "mortgage2"),
            ("Property taxes and homeowner's insurance", "taxes"), ("Condominium or association fees", "fees"),
            ("Repairs and maintenance", "repairs"), ("Electricity and heating", "power"),
            ("Water, sewer and trash", "water"), ("Telephone, mobile and internet", "phone")]),
        ("B. Household", "household", [
            ("Food and groceries", "food"), ("Meals outside the home", "meals"),
            ("Household supplies and furnishings", "supplies"), ("Laundry and dry cleaning", "laundry")]),
        ("C. Transportation", "transport", [
            ("Car payment or lease", "payment"), ("Car insurance", "insurance"),
            ("Fuel, parking and tolls", "fuel"), ("Repairs and maintenance", "repairs"),
            ("Public transportation", "fares")]),
        ("D. Children", "children", [
            ("Work-related child care", "childCare"), ("School tuition, books and fees", "school"),
            ("School lunches and transportation", "lunches"), ("Activities, lessons and camps", "activities"),
            ("Clothing and shoes", "clothing"), ("Health insurance for the children", "health"),
            ("Medical, dental and counselling costs not covered by insurance", "uninsured"),
            ("Allowances, gifts and parties", "gifts")]),
        ("E. Party", "party", [
            ("Health, life and disability insurance of the party", "insurance"),
            ("Medical, dental and vision costs not covered by insurance", "medical"),
            ("Clothing and personal care", "clothing"), ("Recreation, vacations and subscriptions", "recreation"),
            ("Gifts and contributions", "gifts"), ("Alimony paid", "alimony"),
            ("Child support paid for other children", "childSupport"), ("Other (name them):", "other")]),
    ]
    for title, key, rows in groups:
        form.need(60)
        form.paragraph(title, size=9, font="Helvetica-Bold")
        form.amount_table(columns, rows, "exp_" + key)
    form.amount_table(columns, [], "exp", total="Total monthly expenses (A to E)")

    form.section("Part 3. Assets", "Everything you own, alone or with someone else, with its value today.")
    form.grid(["Asset", "How titled (own name, joint, ...)", "Value today", "Amount owed on it"],
              [2.6, 1.8, 1.0, 1.0], len(ASSETS), "asset", row_keys=[key for _, key in ASSETS],
              row_labels=[label for label, _ in ASSETS])

    form.section("Part 4. Liabilities", "Loans, credit cards, taxes owed and other debts not listed above.")
    form.grid(["Owed to", "Purpose", "Whose name", "Balance", "Monthly payment"], [2.0, 1.6, 1.2, 0.9, 0.9],
              7, "debt")

    form.section("Part 5. Summary")
    form.amount_table([("Per month", "month")], [
        ("Total gross monthly income (Part 1)", "income"),
        ("Total monthly deductions (Part 1)", "deductions"),
        ("Net monthly income", "net"),
        ("Total monthly expenses (Part 2)", "expenses"),
        ("Monthly surplus or shortfall", "balance"),
    ], "summary", number_rows=False)
    form.amount_table([("Value", "value")], [
        ("Total assets (Part 3)", "assets"),
        ("Total liabilities (Part 4)", "liabilities"),
        ("Net worth", "netWorth"),
    ], "worth", number_rows=False)

    form.section("Signature")
    form.signature([("party", "Party")], AFFIRMATION)
    return form.save()


ASSETS = [
    ("Family home", "home"), ("Other real estate", "otherRealEstate"),
    ("Checking accounts", "checking"), ("Savings accounts and certificates", "savings"),
    ("Retirement plans and pensions", "retirement"), ("Stocks, bonds and funds", "stocks"),
    ("Cars and other vehicles", "vehicles"), ("Business interests", "business"),
    ("Life insurance (cash value)", "lifeInsurance"), ("Other assets (name them)", "other"),
]

DECISIONS = [
    ("Education: school, tutoring, special education", "education"),
    ("Health care: doctors, dentists, counselling, medication", "health"),
    ("Religious upbringing", "religion"),
    ("Extracurricular activities", "activities"),
    ("Other major decisions (name them)", "other"),
]

HOLIDAYS = [
    ("New Year's Day", "newYear"), ("Martin Luther King Jr. Day", "mlk"), ("Spring break", "springBreak"),
    ("Easter or Passover", "spring"), ("Mother's Day", "mothersDay"), ("Memorial Day", "memorialDay"),
    ("Father's Day", "fathersDay"), ("Independence Day", "july4"), ("Labor Day", "laborDay"),
    ("Halloween", "halloween"), ("Thanksgiving", "thanksgiving"), ("Winter break", "winterBreak"),
    ("Children's birthdays", "birthdays"), ("Parents' birthdays", "parentBirthdays"),
]


def joint_statement(path):
    form = Form(path, "Joint Statement of the Parties",
                "Concerning Decision-Making and Parenting Time",
                "Joint Statement of the Parties Concerning Decision-Making and Parenting Time")
    form.heading("Md. Rule 9-204.1")
    form.paragraph("The parties file this statement together. For each question, mark whether you agree and, "
                   "where you do not, write down what each of you proposes. Where you agree, write the "
                   "agreement in the Plaintiff's column.")
    children_table(form, rows=5)

    form.section("1. Decision-making (legal custody)",
                 "Who decides the important questions about the children's lives.")
    for label, key in DECISIONS:
        form.need(40)
        form.paragraph(label, size=8.5, font="Helvetica-Bold")
        form.y += 13
        form.checklist([("We agree", "agree"), ("We do not agree", "disagree")], "decide_" + key, columns=2,
                       indent=CONTENT_W * 0.52)
        form.fields_row([("Plaintiff proposes:", "decide_%s_plaintiff" % key, CONTENT_W / 2 - 84),
                         ("Defendant proposes:", "decide_%s_defendant" % key, None)], label_size=7.5)
    form.need(70)
    form.paragraph("The decision-making the parties propose (mark one):", size=8.5, font="Helvetica-Bold")
    form.checklist([("Joint decision-making, each parent with an equal say", "joint"),
                    ("Joint, with one parent deciding when the parents cannot agree (tie-breaker)", "tieBreak"),
                    ("Sole decision-making by the Plaintiff", "plaintiff"),
                    ("Sole decision-making by the Defendant", "defendant")], "decisionModel", columns=2)
    form.fields_row([("Tie-breaker parent and the questions it covers:", "decisionModel_tieBreakDetails", None)])

    form.section("2. Regular parenting time (physical custody)",
                 "The schedule in an ordinary week during the school year and during the summer.")
    form.checklist([("We agree on the regular schedule", "agree"), ("We do not agree", "disagree")],
                   "regular", columns=2)
    form.lines_box("regular_plaintiff", 44, "Plaintiff's proposed regular schedule:")
    form.lines_box("regular_defendant", 44, "Defendant's proposed regular schedule:")
    form.lines_box("regular_summer", 36, "Summer schedule, if different:")

    form.section("3. Holidays and special days",
                 "Write P for the Plaintiff, D for the Defendant, or how the day is shared (even/odd years).")
    form.grid(["Holiday or special day", "Plaintiff proposes", "Defendant proposes", "Agreed"],
              [2.2, 1.5, 1.5, 0.8], len(HOLIDAYS), "holiday", row_keys=[key for _, key in HOLIDAYS],
              row_labels=[label for label, _ in HOLIDAYS])
    form.section("4. Exchanges and transportation")
    form.checklist([("We agree on exchanges", "agree"), ("We do not agree", "disagree")], "exchange", columns=2)
    form.fields_row([("Place of exchanges:", "exchange_place", None)])
    form.fields_row([("Who drives, and who pays for travel:", "exchange_transport", None)])

    form.section("5. Communication and information")
    form.checklist([
        ("Both parents may get school, medical and activity records directly", "records"),
        ("The parents will use a shared calendar or co-parenting application", "calendar"),
        ("Each parent may call or video-call the children at reasonable times", "calls"),
        ("A parent moving more than 50 miles gives the other 90 days' written notice", "relocation"),
    ], "communicate")
    form.lines_box("communicate_other", 36, "Other agreements about communication:")

    form.section("6. Other matters")
    form.lines_box("other_matters", 56, "Anything else the court should know about the parties' agreements "
                   "or disagreements:")

    form.section("Signatures")
    form.signature([("plaintiff", "Plaintiff"), ("defendant", "Defendant")],
                   "We have read this statement. Each of us affirms that his or her own proposals are stated "
                   "correctly.")
    return form.save()


def parenting_plan(path):
    form = Form(path, "Parenting Plan", "A planning tool for parents",
                "Parenting Plan tool")
    form.heading("Md. Rule 9-204.1")
    form.paragraph("Use this plan to work out how you will share the care of your children. Fill in the parts "
                   "that fit your family; you may attach it to an agreement filed with the court.")
    form.section("Part 1. Parents and children")
    form.fields_row([("Parent 1:", "parent1_name", 220), ("Relationship to the children:", "parent1_relation",
                                                          None)])
    form.fields_row([("Parent 2:", "parent2_name", 220), ("Relationship to the children:", "parent2_relation",
                                                          None)])
    form.grid(["Child's name", "Date of birth", "School and grade", "Special needs"], [2.2, 1.0, 1.6, 1.6],
              5, "child")

    form.section("Part 2. Decision-making",
                 "Mark who makes each kind of decision: both parents together, Parent 1 or Parent 2.")
    choices = [("Together", "joint"), ("Parent 1", "parent1"), ("Parent 2", "parent2")]
    for label, key in DECISIONS[:4] + [("Child care providers and babysitters", "childCare")]:
        form.need(20)
        form.paragraph(label, size=8.5)
        form.y += 13
        form.checklist([(text, "%s_%s" % (key, choice)) for text, choice in choices], "decide", columns=3,
                       indent=CONTENT_W * 0.45)
    form.checklist([("If we cannot agree, we will first try mediation before going to court", "mediation")],
                   "decide")

    form.section("Part 3. Weekly schedule",
                 "For each day, write which parent has the children and the times of the exchanges.")
    days = ["monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday"]
    form.grid(["Day", "Week 1: with", "Week 1: times", "Week 2: with", "Week 2: times"], [1.2, 1.2, 1.6, 1.2, 1.6],
              7, "week", row_keys=days, row_labels=[day.capitalize() for day in days])
    form.fields_row([("The week starts on:", "week_start", 120), ("Schedule begins on (date):", "week_begins",
                                                                   None)])

    form.section("Part 4. Holidays, vacations and special days")
    form.grid(["Holiday", "Even years", "Odd years", "Times"], [2.2, 1.2, 1.2, 1.6], len(HOLIDAYS), "holiday",
              row_keys=[key for _, key in HOLIDAYS], row_labels=[label for label, _ in HOLIDAYS])
    form.fields_row([("Summer vacation: each parent may have", "vacation_weeks", 40),
                     ("weeks; notice by (date):", "vacation_notice", None)])

    form.section("Part 5. Exchanges and transportation")
    form.fields_row([("Exchanges take place at:", "exchange_place", None)])
    form.checklist([("The parent starting parenting time picks the children up", "pickUp"),
                    ("The parent ending parenting time drops the children off", "dropOff"),
                    ("Exchanges happen at school or child care", "school"),
                    ("Another adult may do the exchange", "otherAdult")], "exchange", columns=2)

    form.section("Part 6. Communication")
    form.checklist([("Phone or video calls with the other parent every day", "daily"),
                    ("... on set days and times (below)", "setTimes"),
                    ("Parents talk about the children by e-mail or a co-parenting application", "app"),
                    ("Parents share report cards, medical news and activity schedules", "share")],
                   "contact", columns=2)
    form.lines_box("contact_details", 32, "Days, times and other details:")

    form.section("Part 7. Changes and disagreements")
    form.checklist([("We will talk first and try to agree", "talk"),
                    ("We will use a mediator", "mediator"),
                    ("We will review this plan every year", "review"),
                    ("A parent who plans to move gives written notice first", "moveNotice")],
                   "changes", columns=2)
    form.lines_box("changes_other", 44, "Other parts of our plan:")

    form.section("Signatures")
    form.signature([("parent1", "Parent 1"), ("parent2", "Parent 2")],
                   "We agree to this parenting plan and will follow it in the best interests of our children.")
    return form.save()


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "forms")
    os.makedirs(folder, exist_ok=True)
    for name, make in (("Short-Form-Financial-2016.pdf", short_financial),
                       ("Long-Form-Financial-2016.pdf", long_financial),
                       ("Joint-Parenting-Statement.pdf", joint_statement),
                       ("Parent-Plan-Tool.pdf", parenting_plan)):
        pages = make(os.path.join(folder, name))
        if pages < 2:
            raise SystemExit(name + ": a form needs at least two pages")
        print("%s: %d pages" % (name, pages))


if __name__ == "__main__":
    main()
