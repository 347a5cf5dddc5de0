"""Reads a day's list saved as .xlsx as a spreadsheet program would and checks its cells'
types: codes as text with their leading zeros, prices as numbers shown to two or three
decimals, the date as a date, a bold frozen title row with an autofilter.
Arguments: the workbook, a code that is on it with leading zeros."""
import datetime
import sys

import openpyxl

workbook = openpyxl.load_workbook(sys.argv[1])
sheet = workbook.active
titles = [cell.value for cell in sheet[1]]
rows = [dict(zip(titles, row)) for row in sheet.iter_rows(min_row=2)]
by_code = {row["代码"].value: row for row in rows}
row = by_code[sys.argv[2]]

assert row["代码"].data_type == "s", row["代码"].data_type
assert isinstance(row["现价(元)"].value, float) and row["现价(元)"].number_format == "0.00", row["现价(元)"].number_format
assert isinstance(row["最新日期"].value, datetime.datetime) and row["最新日期"].number_format == "yyyy-mm-dd"
assert sheet.title == row["最新日期"].value.strftime("%Y-%m-%d"), sheet.title
assert isinstance(row["选股点"].value, (int, float)) and row["选股点"].number_format == "0"
funds = [row for row in rows if row["类别"].value == "基金"]
assert funds and all(row["现价(元)"].number_format == "0.000" for row in funds)
assert all(cell.font.bold for cell in sheet[1])
assert sheet.freeze_panes == "A2", sheet.freeze_panes
assert sheet.auto_filter.ref, "an autofilter"
