#!/usr/bin/env python3
"""Writes COUNT cause trees of 20 to 50 causes as outlines into FOLDER, the same ones for the same
seed, for timing batch generation:  make_trees.py COUNT FOLDER [SEED]

Every tree keeps the editor's rules: up to nine main causes, each with at least one child, at
most nine children a node, five levels, 50 causes.
"""
import random
import sys
from pathlib import Path

WORDS = ["模具温度", "保压时间", "原料含水", "冷却不均", "操作员", "培训不足", "设备老化", "检验漏检",
         "夹具松动", "参数漂移", "供应商", "批次差异", "环境湿度", "作业指导书", "换型", "润滑不良"]


def tree(rng: random.Random, number: int) -> str:
    causes = rng.randint(20, 50)
    mains = rng.randint(3, min(9, causes // 2))
    # node: [level, children]; the problem is node 0
    nodes = [[0, []]]

    def add(parent: int) -> None:
        nodes.append([nodes[parent][0] + 1, []])
        nodes[parent][1].append(len(nodes) - 1)

    for _ in range(mains):
        add(0)
    for main in list(nodes[0][1]):
        add(main)
    while len(nodes) - 1 < causes:
        parent = rng.randrange(1, len(nodes))
        if nodes[parent][0] < 5 and len(nodes[parent][1]) < 9:
            add(parent)
    lines = []

    def write(node: int, label: str) -> None:
        level = nodes[node][0]
        lines.append("  " * level + label)
        for i, child in enumerate(nodes[node][1], 1):
            write(child, f"{rng.choice(WORDS)}{i}")

    write(0, f"第{number}号问题：外壳缩痕不良率上升")
    return "\n".join(lines) + "\n"


def main() -> None:
    count, folder = int(sys.argv[1]), Path(sys.argv[2])
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 15)
    folder.mkdir(parents=True, exist_ok=True)
    for number in range(1, count + 1):
        (folder / f"tree{number:04d}.txt").write_text(tree(rng, number), encoding="utf-8")


if __name__ == "__main__":
    main()
