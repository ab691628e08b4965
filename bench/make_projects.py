#!/usr/bin/env python3
"""Generates the benchmark projects from WORK/template.json (the sample
bridge, one single and one parametric drawing, as ds-host writes them):

  singles_N.json: the sample, a parametric drawing "P" and N single drawings
                  d1..dN, each serving its own pier with one of a hundred
                  pedestal numbers;
  rows_N.json:    the sample and one parametric drawing "P" with N list rows.

  make_projects.py WORK N
"""
import copy, json, sys
work, n = sys.argv[1], int(sys.argv[2])
template = json.load(open(f"{work}/template.json"))
base = [x for x in template["nodes"] if not x["class"].startswith("DS_ui")]
single = next(x for x in template["nodes"] if x["class"] == "DS_ui_data")
param = next(x for x in template["nodes"] if x["class"] == "DS_ui_CSH_data")
param["name"] = "P"

def write(name, nodes):
    template["nodes"] = base + nodes
    with open(f"{work}/{name}_{n}.json", "w", encoding="utf-8") as f:
        json.dump(template, f, ensure_ascii=False, indent=2)
        f.write("\n")

singles = []
for i in range(1, n + 1):
    s = copy.deepcopy(single)
    s["tag"], s["name"] = f"DS_ui_data_{i}", f"d{i}"
    draw_set = s["members"]["m_draw_data"]["m_drawSet"]
    draw_set["m_DS_number"] = str(i % 100)
    draw_set["com_drawset"]["m_merge_infos"] = {"count": 1, "item_0": {
        "version": 1, "m_strType": "桥墩", "m_strQF": "主线", "m_strPierNums": str(i),
        "m_strRows": "1", "m_strNums": "1~2"}}
    singles.append(s)
write("singles", [param] + singles)

rows = param["members"]["m_csh_data"]
row = rows.pop("item_0")
rows["count"] = n
for i in range(n):
    r = copy.deepcopy(row)
    r["m_iNum"] = i + 1
    rows[f"item_{i}"] = r
write("rows", [param])
