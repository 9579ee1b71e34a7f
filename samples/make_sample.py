#!/usr/bin/env python3
# Makes the sample game that ships with Velqorandis: "晶霊譚ヴェルミナ",
# a small invented card game of five crystal attributes.
#
#   Plugin/sample.ini   game definition: parameters, list columns, deck layers
#   Plugin/cards1.txt   first expansion (EV-001 to EV-120)
#   Plugin/cards2.txt   second expansion (TW-001 to TW-100)
#
# All files are written in code page 932 with CR LF line ends and no
# byte-order mark. The output is deterministic (fixed random seed), so running
# the script again rewrites the same bytes. After writing, the files are read
# back and checked.
#
# Usage: python3 samples/make_sample.py

import os
import random
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT_DIR = os.path.join(HERE, "Plugin")
ENCODING = "cp932"

GAME_NAME = "晶霊譚ヴェルミナ"
IMAGE_ARCHIVE = "sample.zip"
CARD_FILES = ["cards1.txt", "cards2.txt"]

SETS = [
    {"code": "EV", "name": "第1弾「晶灯の目覚め」", "file": "cards1.txt"},
    {"code": "TW", "name": "第2弾「黄昏の潮騒」", "file": "cards2.txt"},
]

# Card parameters in schema order: key, display name, search type, width.
# Type 1 = text search, 2 = number range, 3 = choice, 0 = no criterion.
PARAMS = [
    ("No", "カード番号", 1, 70),
    ("Name", "カード名", 1, 170),
    ("Color", "属性", 3, 50),
    ("Kind", "種別", 3, 60),
    ("Race", "種族", 1, 70),
    ("Cost", "コスト", 2, 45),
    ("Power", "パワー", 2, 60),
    ("Rarity", "レアリティ", 3, 50),
    ("Set", "収録弾", 3, 160),
    ("Illust", "イラスト", 1, None),
    ("Text", "効果", 0, None),
    ("Flavor", "フレーバー", 0, None),
]

# Card list columns: keys, width, caption ("" = taken from the parameter), visible.
CARD_COLUMNS = [
    ("No", 70, "番号", 1),
    ("Name", 170, "", 1),
    ("Color,Kind", 90, "属性/種別", 1),
    ("Cost", 45, "コスト", 1),
    ("Power", 60, "パワー", 1),
    ("Race", 70, "種族", 1),
    ("Rarity", 40, "レア", 1),
    ("Set", 160, "収録弾", 0),
    ("Illust", 100, "イラスト", 0),
    ("Text", 300, "効果", 0),
]

DECK_COLUMNS = [
    ("Name", 170, "", 1),
    ("Cost", 45, "コスト", 1),
    ("Color", 50, "属性", 1),
    ("No", 70, "番号", 0),
]

# Deck layers: name, total limit, item limit.
DECK_LAYERS = [
    ("メインデッキ", 40, 3),
    ("サイドデッキ", 15, 3),
    ("切り札デッキ", 5, 1),
]

UNIT, SPELL, ITEM, FIELD, CRYSTAL = "ユニット", "術式", "遺物", "結界", "晶石"

ILLUSTRATORS = [
    "七瀬アカリ", "鷹野ソラ", "霧島ユウ", "森川タクミ", "白石ミオ", "灯屋",
    "黒江アオイ", "春日井レン", "葛城ナツメ", "日向ハルキ", "桐生マコト", "KAZUHA",
]

# Keyword abilities and their reminder texts.
KEYWORDS = {
    "疾風": "このユニットは場に出たターンに攻撃できる。",
    "貫通": "このユニットがブロックしたユニットを破壊した時、相手のプレイヤーに1点のダメージを与える。",
    "飛翔": "［飛翔］を持たないユニットにブロックされない。",
    "守護": "あなたの他のユニットが攻撃される時、代わりにこのユニットが攻撃を受けてもよい。",
    "潜航": "このユニットは、これよりパワーの高いユニットにブロックされない。",
    "再生": "このユニットが破壊される時、1ターンに1度、代わりに休ませる。",
    "吸魂": "このユニットが相手のユニットを破壊した時、あなたのライフを1回復する。",
}


def fc(color, text):
    """Text in a named colour."""
    return "<font color=%s>%s</font>" % (color, text)


# ---------------------------------------------------------------------------
# The five attributes. Each has its own creatures, keywords, triggered
# abilities, spells, items, fields and flavour texts.
# ---------------------------------------------------------------------------

def hi(n, lo=1000, top=9000):
    return max(lo, min(top, n))


COLOURS = [
    {
        "name": "焔", "font": "red", "bias": 0,
        "crystal": ("焔の晶石", "烈火の谷で掘り出される赤い晶石。握ると指先がじんわりと熱くなる。"),
        "epithets": ["紅蓮の", "灼熱の", "烈火の", "燃え盛る", "熾火の", "陽炎の", "火山の", "猛き", "焦土の", "炎刃の"],
        "nouns": [("幼竜", "竜族", 1), ("火竜", "竜族", 3), ("翼竜", "竜族", 2), ("溶岩竜", "竜族", 3),
                  ("火蜥蜴", "火精", 1), ("狐火", "火精", 1), ("鬼火", "火精", 2), ("狼牙兵", "獣人", 2),
                  ("虎拳士", "獣人", 2), ("斧戦士", "戦士", 2), ("剣闘士", "戦士", 2), ("槍騎兵", "戦士", 2),
                  ("鍛冶師", "戦士", 1)],
        "keywords": ["疾風", "貫通"],
        "triggers": [
            lambda c: "<u>召喚時</u>：相手のユニット1体に%dダメージを与える。" % hi((c - 1) * 1000, 1000, 5000),
            lambda c: "<u>攻撃時</u>：このターン、このユニットのパワーを+%dする。" % hi(c * 500, 500, 3000),
            lambda c: "<u>破壊時</u>：相手のプレイヤーに1点のダメージを与える。",
            lambda c: "あなたの他の%sのユニットすべてのパワーを+500する。" % fc("red", "焔"),
            lambda c: "<u>起動</u>［晶石を1つ休ませる］：このターン、このユニットのパワーを+1000する。",
        ],
        "spells": [
            ("火の粉", 1, "相手のユニット1体に1000ダメージを与える。"),
            ("紅蓮の奔流", 4, "相手のユニットすべてに" + fc("red", "2000ダメージ") + "を与える。"),
            ("闘志の炎", 2, "このターン、あなたのユニット1体のパワーを+2000し、<b>［疾風］</b>を与える。"),
            ("噴火", 6, "相手のユニット1体に5000ダメージを与え、相手のプレイヤーに2点のダメージを与える。"),
            ("焼き払い", 3, "相手の遺物1枚か結界1枚を破壊する。<br>カードを1枚引く。"),
            ("炎の矢", 1, "相手のユニット1体に1500ダメージを与える。<br><u>あなたの場に" + fc("red", "焔") + "のユニットがいるなら</u>、代わりに2500ダメージを与える。"),
            ("決死の突撃", 3, "このターン、あなたのユニットすべてのパワーを+1000する。<br>ターン終了時、あなたのユニット1体を破壊する。"),
            ("火竜の息吹", 5, "相手のユニット1体に4000ダメージを与える。<br><i>あなたの場に竜族のユニットがいるなら、このカードのコストは2少なくなる。</i>"),
            ("燎原の火", 7, "相手のユニットすべてに4000ダメージを与える。その後、相手のプレイヤーに、破壊したユニットの数と同じ点数のダメージを与える。"),
        ],
        "items": [
            ("炎刃の大剣", 2, "<u>装備</u>：装備したユニットのパワーを+1500する。"),
            ("竜鱗の鎧", 3, "<u>装備</u>：装備したユニットのパワーを+1000する。装備したユニットは術式によるダメージを受けない。"),
            ("烈火の篭手", 1, "<u>装備</u>：装備したユニットは<b>［疾風］</b>を得る。"),
            ("竜騎兵の角笛", 4, "<u>起動</u>［この遺物を墓地に置く］：あなたの山札から竜族のユニット1枚を手札に加える。その後、山札をシャッフルする。"),
        ],
        "fields": [
            ("火山地帯", 3, "この結界がある限り、あなたの" + fc("red", "焔") + "のユニットすべてのパワーを+500する。"),
            ("燃える戦場", 4, "この結界がある限り、すべてのユニットは<b>［疾風］</b>を持つ。"),
        ],
        "quotes": [
            "炎は奪うだけではない。凍えた夜を越える力も与える。",
            "火山が目覚める朝、竜たちは一斉に空へ舞い上がる。",
            "鍛えられた刃だけが、焔の声を聞くことができる。",
            "燃え尽きることを恐れる者に、晶石は応えない。",
            "熱い？　それがどうした。",
            "赤い晶石の鼓動は、戦士の心臓と同じ速さで打つという。",
            "一度火がつけば、止められる者はいない。",
            "灰の中から、次の炎が生まれる。",
            "勝負は一瞬。迷った方が燃える。",
            "この谷の子どもは、歩くより先に火の起こし方を覚える。",
            "剣を打つ音が止む日は、谷が滅ぶ日だ。",
            "竜の吐息を浴びた鉄は、決して錆びない。",
            "怒りは薪だ。くべすぎれば、家ごと燃える。",
            "炎の向こうに見えたのは、懐かしい故郷の夕焼けだった。",
            "熱こそが力。冷めた心に勝利はない。",
            "火花がひとつ。それだけで十分だった。",
        ],
        "speakers": ["焔の巫女カグラ", "火山の鍛冶師ドルン", "紅蓮騎士団の訓示", "竜騎兵の古い歌"],
        "templates": [
            "%sが通った後には、焦げた足跡だけが残る。",
            "烈火の谷では、%sの噂を知らない子どもはいない。",
            "「%sを見たら、まず水を汲んでおけ」――谷の言い伝え",
            "%sの名は、燃え残った旗とともに語り継がれている。",
            "戦場に%sが現れると、敵も味方も思わず息をのんだ。",
            "%sの瞳には、消えることのない炎が宿っている。",
        ],
    },
    {
        "name": "潮", "font": "blue", "bias": -500,
        "crystal": ("潮の晶石", "満月の夜、浜辺に打ち上げられる青い晶石。耳に当てると波の音がする。"),
        "epithets": ["深海の", "蒼き", "波間の", "凪の", "渦潮の", "珊瑚の", "氷海の", "月夜の", "潮騒の", "静かなる"],
        "nouns": [("人魚", "人魚", 1), ("歌姫", "人魚", 2), ("人魚兵", "人魚", 2), ("海蛇", "海獣", 2),
                  ("大鯨", "海獣", 3), ("海竜", "海獣", 3), ("大蟹", "海獣", 2), ("泡精", "水精", 1),
                  ("雫精", "水精", 1), ("霧精", "水精", 2), ("潮読み", "術師", 2), ("水占い師", "術師", 1),
                  ("航海士", "術師", 2)],
        "keywords": ["潜航", "飛翔"],
        "triggers": [
            lambda c: "<u>召喚時</u>：カードを1枚引く。",
            lambda c: "<u>召喚時</u>：相手のコスト%d以下のユニット1体を持ち主の手札に戻す。" % max(1, c - 2),
            lambda c: "<u>攻撃時</u>：カードを1枚引き、その後手札を1枚捨てる。",
            lambda c: "あなたが術式を唱えるたび、このターン、このユニットのパワーを+1000する。",
            lambda c: "<u>起動</u>［このユニットを休ませる］：相手のユニット1体を休ませる。",
        ],
        "spells": [
            ("水鏡の占い", 1, "あなたの山札の上から3枚を見て、好きな順番で山札の上に戻す。カードを1枚引く。"),
            ("引き潮", 2, "相手のユニット1体を持ち主の手札に戻す。"),
            ("知恵の泉", 3, "カードを3枚引き、その後手札を1枚捨てる。"),
            ("凍てつく波", 2, "相手のユニット1体を休ませる。<br>" + fc("navy", "それは次の相手のターン開始時に起き上がらない。")),
            ("大津波", 7, "<b>すべての</b>ユニットを持ち主の手札に戻す。"),
            ("打ち消しの渦", 3, "相手が唱えた術式1枚を打ち消す。"),
            ("霧隠れ", 1, "このターン、あなたのユニット1体は<b>［潜航］</b>を得る。<br>カードを1枚引く。"),
            ("深海からの呼び声", 4, "あなたの墓地から術式1枚を手札に加える。カードを1枚引く。"),
            ("満ち潮", 5, "カードを2枚引く。<br>相手のコスト4以下のユニット1体を持ち主の手札に戻す。"),
        ],
        "items": [
            ("珊瑚の首飾り", 1, "<u>起動</u>［晶石を1つ休ませる］：カードを1枚引き、その後手札を1枚捨てる。"),
            ("海神の三叉槍", 3, "<u>装備</u>：装備したユニットのパワーを+1000し、<b>［潜航］</b>を与える。"),
            ("古びた航海図", 2, "あなたのターン開始時、あなたの山札の上から1枚を見る。それを山札の下に置いてもよい。"),
            ("氷の羅針盤", 3, "<u>起動</u>［この遺物を休ませる］：相手のユニット1体を休ませる。"),
        ],
        "fields": [
            ("静寂の入り江", 2, "この結界がある限り、あなたの術式のコストは1少なくなる。<i>（ただし0より少なくはならない。）</i>"),
            ("霧の海域", 3, "この結界がある限り、あなたのコスト3以下のユニットは<b>［潜航］</b>を持つ。"),
        ],
        "quotes": [
            "潮は満ち、潮は引く。焦る者から溺れていく。",
            "深海には、まだ名前のない晶石が眠っている。",
            "あの歌を聞いた船乗りは、誰一人帰ってこなかった。",
            "水は形を持たない。だからこそ、どんな器にも勝る。",
            "波の音に耳を澄ませば、明日の天気も敵の企みも聞こえてくる。",
            "霧が晴れたとき、艦隊はすでに囲まれていた。",
            "月が満ちる夜、蒼い晶石は静かに光りはじめる。",
            "答えは常に、水面の下にある。",
            "渦の中心は、いつだって静かだ。",
            "凪の海ほど、恐ろしいものはない。",
            "潮の満ち引きを知る者は、戦の引き際も知っている。",
            "海の底から見上げる月は、ゆらゆらと笑っていた。",
            "読めない手紙は、海に流すに限る。",
            "氷の海にも、春を待つ命がある。",
            "知識は水のように、器の形に従って広がる。",
            "船を沈めるのは嵐ではない。油断だ。",
        ],
        "speakers": ["潮読みの賢者オルヴェン", "港町の言い伝え", "人魚の子守歌", "老船長ギデオン"],
        "templates": [
            "%sの姿を見た者は、その夜、決まって海の夢を見るという。",
            "嵐の翌朝、浜辺には%sの残した貝殻が並んでいた。",
            "「%sの機嫌を損ねるな。潮の流れが変わる」――老船長ギデオン",
            "%sは、港町の子どもたちが眠る前に聞くおとぎ話の主人公だ。",
            "%sが現れると、決まって深い霧が立ち込める。",
            "月明かりの海で、%sは誰かを待っている。",
        ],
    },
    {
        "name": "翠", "font": "green", "bias": 500,
        "crystal": ("翠の晶石", "古い森の根元で育つ緑の晶石。土に埋めておくと、周りの草花がよく茂る。"),
        "epithets": ["翠緑の", "深森の", "苔むした", "芽吹きの", "野生の", "千年の", "朝露の", "蔦絡みの", "大地の", "若葉の"],
        "nouns": [("古木", "樹人", 3), ("苗木兵", "樹人", 1), ("樹人", "樹人", 2), ("大猪", "獣", 2),
                  ("森狼", "獣", 1), ("大角鹿", "獣", 3), ("大熊", "獣", 3), ("花精", "妖精", 1),
                  ("木霊", "妖精", 1), ("蝶精", "妖精", 1), ("弓手", "狩人", 2), ("罠師", "狩人", 2),
                  ("鷹匠", "狩人", 2)],
        "keywords": ["再生", "貫通"],
        "triggers": [
            lambda c: "<u>召喚時</u>：あなたのライフを%d回復する。" % min(3, max(1, c // 2)),
            lambda c: "<u>召喚時</u>：山札から基本晶石1枚を晶石置き場に置く。",
            lambda c: "このユニットのパワーは、あなたの場の他の%sのユニット1体につき+500される。" % fc("green", "翠"),
            lambda c: "<u>ターン終了時</u>：このユニットに成長カウンターを1個置く。<i>（成長カウンター1個につきパワー+500）</i>",
            lambda c: "<u>召喚時</u>：相手の遺物1枚を破壊してもよい。",
        ],
        "spells": [
            ("芽吹きの祈り", 1, "山札から基本晶石1枚を晶石置き場に置く。その後、山札をシャッフルする。"),
            ("野生の力", 1, "このターン、あなたのユニット1体のパワーを+3000する。"),
            ("森の恵み", 2, "あなたのライフを3回復する。<br>カードを1枚引く。"),
            ("縄張り争い", 3, "あなたのユニット1体と相手のユニット1体を選ぶ。それらは互いに、自身のパワーに等しいダメージを与え合う。"),
            ("大地の怒り", 6, "<u>パワー6000以上のあなたのユニットがいるなら</u>、相手のユニットすべてに3000ダメージを与える。"),
            ("探索の笛", 2, "あなたの山札の上から5枚を見て、その中からユニット1枚を手札に加える。残りを好きな順番で山札の下に置く。"),
            ("急成長", 3, "あなたのユニット1体に成長カウンターを3個置く。<br>" + fc("gray", "<i>（成長カウンター1個につきパワー+500）</i>")),
            ("根の檻", 2, "相手のユニット1体は、次の相手のターン終了時まで攻撃できない。"),
            ("千年の目覚め", 8, "あなたの墓地から" + fc("green", "翠") + "のユニットを<b>3体まで</b>場に出す。"),
        ],
        "items": [
            ("樹皮の盾", 1, "<u>装備</u>：装備したユニットのパワーを+1000する。"),
            ("豊穣の角杯", 3, "あなたのターン開始時、あなたのライフを1回復する。"),
            ("狩人の長弓", 2, "<u>装備</u>：装備したユニットが攻撃した時、相手のユニット1体に1000ダメージを与える。"),
            ("大地の晶杖", 4, "<u>起動</u>［この遺物を休ませる］：山札から基本晶石1枚を晶石置き場に置く。"),
        ],
        "fields": [
            ("太古の森", 3, "この結界がある限り、あなたの" + fc("green", "翠") + "のユニットすべてのパワーを+1000する。"),
            ("実りの大地", 2, "あなたのターン開始時、あなたのライフを1回復する。<br>" + fc("darkgreen", "<u>ライフが10以下なら</u>、代わりに2回復する。")),
        ],
        "quotes": [
            "森は覚えている。誰が木を植え、誰が斧を振るったかを。",
            "芽吹きの季節、大地は晶石の息吹で満たされる。",
            "小さな種ほど、遠くまで旅をする。",
            "狩人は獲物を追わない。獲物の通る道を知っているだけだ。",
            "千年かけて育った枝は、一晩では折れない。",
            "雨上がりの森では、木霊たちが歌い出す。",
            "根を張れ。嵐はいつか過ぎる。",
            "緑の晶石に触れると、遠い春の匂いがした。",
            "嵐の後の森は、いつもより少しだけ賑やかだ。",
            "一本の木を倒すのは一瞬。育てるのは百年。",
            "大地は何も言わない。ただ、すべてを受け止める。",
            "獣たちは知っている。森の主が誰なのかを。",
            "落ち葉の下では、もう次の春が始まっている。",
            "弓を引く前に、まず風の声を聞け。",
            "森に迷い込んだ旅人は、なぜか皆、少しだけ若返って出てくる。",
            "蔦は急がない。だが、いつか城壁さえ覆い尽くす。",
        ],
        "speakers": ["森の母ナヴィエラ", "狩人の長ロウガ", "樹人の古い格言", "旅の薬草師"],
        "templates": [
            "深い森の奥で、%sは今日も静かに季節を数えている。",
            "%sの足跡をたどれば、必ず清らかな泉に行き着く。",
            "「%sに出会ったら、道を譲りなさい」――旅の薬草師",
            "%sが眠る丘には、一年中花が絶えない。",
            "%sは、森に踏み入る者を遠くからじっと見つめている。",
            "春が来るたび、%sは少しだけ大きくなる。",
        ],
    },
    {
        "name": "煌", "font": "orange", "bias": 0,
        "crystal": ("煌の晶石", "夜明けの光を閉じ込めた金色の晶石。暗闇の中でもほのかに輝く。"),
        "epithets": ["煌めく", "白銀の", "陽光の", "黄金の", "清らかな", "暁の", "聖域の", "誓いの", "輝ける", "天空の"],
        "nouns": [("守護天使", "天使", 2), ("天使", "天使", 2), ("伝令天使", "天使", 1), ("天使長", "天使", 3),
                  ("聖騎士", "騎士", 3), ("見習い騎士", "騎士", 1), ("盾騎士", "騎士", 2), ("光精", "光精", 1),
                  ("蛍火", "光精", 1), ("灯精", "光精", 1), ("司祭", "聖者", 2), ("巡礼者", "聖者", 1),
                  ("修道女", "聖者", 1)],
        "keywords": ["守護", "飛翔"],
        "triggers": [
            lambda c: "<u>召喚時</u>：あなたのライフを%d回復する。" % min(4, c // 2 + 1),
            lambda c: "あなたの他のユニットすべてのパワーを+500する。",
            lambda c: "<u>召喚時</u>：あなたのユニット1体に<b>［守護］</b>を与える。",
            lambda c: "<u>破壊時</u>：カードを1枚引く。",
            lambda c: "<u>召喚時</u>：相手のパワー%d以上のユニット1体を休ませる。" % hi((c + 2) * 1000),
        ],
        "spells": [
            ("祝福の光", 1, "あなたのユニット1体のパワーを+1000する。<br>あなたのライフを1回復する。"),
            ("聖なる盾", 2, "このターン、あなたのユニットは<b>破壊されない</b>。"),
            ("裁きの雷", 4, "パワー5000以上のユニット1体を破壊する。"),
            ("凱歌", 5, "あなたのユニットすべてのパワーを+1000する。<br>このターン、それらは<b>［飛翔］</b>を得る。"),
            ("癒しの鐘", 3, "あなたのライフを5回復する。"),
            ("天使の降臨", 6, "あなたの墓地から、コスト5以下の" + fc("orange", "煌") + "のユニット1体を場に出す。"),
            ("夜明けの誓い", 2, "あなたのユニット1体に<b>［守護］</b>を与える。<br>カードを1枚引く。"),
            ("浄化の光", 3, "相手の遺物1枚と結界1枚を破壊する。"),
            ("最後の審判", 8, fc("orange", "<b>すべてのユニットを破壊する。</b>") + "<br>その後、あなたのライフを、破壊したユニットの数だけ回復する。"),
        ],
        "items": [
            ("白銀の盾", 2, "<u>装備</u>：装備したユニットのパワーを+1000し、<b>［守護］</b>を与える。"),
            ("聖印のペンダント", 1, "<u>装備</u>：装備したユニットが破壊される時、代わりにこの遺物を墓地に置く。"),
            ("天馬の鞍", 3, "<u>装備</u>：装備したユニットは<b>［飛翔］</b>を得る。"),
            ("黄金の聖杯", 5, "あなたのターン終了時、あなたのライフを2回復する。"),
        ],
        "fields": [
            ("聖堂の鐘楼", 4, "この結界がある限り、あなたのユニットが破壊されるたび、あなたのライフを1回復する。"),
            ("天空の城塞", 5, "この結界がある限り、あなたの<b>［守護］</b>を持つユニットのパワーを+2000する。"),
        ],
        "quotes": [
            "光は剣よりも遠くまで届く。",
            "誓いを守る者に、夜明けは必ず訪れる。",
            "盾を掲げよ。背後には守るべき者たちがいる。",
            "黄金の鐘が鳴るとき、天使たちは地上へ降りてくる。",
            "小さな灯でも、闇の中では道しるべになる。",
            "祈りは届く。ただし、行動を伴えば。",
            "白銀の鎧に映るのは、敵の姿ではなく己の心だ。",
            "陽の光を集めた晶石は、触れるとほのかに温かい。",
            "正しさは、ときに剣より重い。",
            "鐘の音は、遠く離れた仲間にも勇気を届ける。",
            "光あるところに影あり。だからこそ、光を絶やすな。",
            "聖堂の扉は、誰に対しても開かれている。",
            "天使の羽根を拾った者には、小さな幸運が訪れるという。",
            "夜明け前がいちばん暗い。だが、夜明けは来る。",
            "守ると決めたなら、最後まで立っていろ。",
            "祝福は、分け与えるほど大きくなる。",
        ],
        "speakers": ["暁の聖女リュミエル", "白銀騎士団長アルベルク", "聖堂の祈祷書", "巡礼者の日記"],
        "templates": [
            "%sの掲げる灯を目印に、迷い人たちは聖堂へたどり着く。",
            "聖堂のステンドグラスには、%sの姿が描かれている。",
            "「%sに恥じぬ戦いを」――白銀騎士団の誓約",
            "%sが祈りを捧げると、曇り空にも光が差した。",
            "%sの行く先には、いつも小さな光の粒が舞っている。",
            "%sの誓いは、千年経っても色あせない。",
        ],
    },
    {
        "name": "冥", "font": "purple", "bias": -500,
        "crystal": ("冥の晶石", "光を吸い込む黒い晶石。覗き込むと、自分の影が少しだけ遅れて動く。"),
        "epithets": ["冥府の", "宵闇の", "漆黒の", "忘却の", "呪われた", "月蝕の", "墓守の", "嘆きの", "影縫いの", "血濡れの"],
        "nouns": [("骸骨兵", "死霊", 1), ("亡霊", "死霊", 2), ("屍術師", "死霊", 2), ("骨竜", "死霊", 3),
                  ("小悪魔", "魔族", 1), ("夢魔", "魔族", 2), ("魔剣士", "魔族", 3), ("大悪魔", "魔族", 3),
                  ("影法師", "影精", 2), ("闇精", "影精", 1), ("黒猫", "影精", 1), ("刺客", "暗殺者", 2),
                  ("毒使い", "暗殺者", 2), ("密偵", "暗殺者", 1)],
        "keywords": ["吸魂", "潜航"],
        "triggers": [
            lambda c: "<u>召喚時</u>：相手のパワー%d以下のユニット1体を破壊する。" % hi((c - 1) * 1000, 1000, 6000),
            lambda c: "<u>破壊時</u>：相手は手札を1枚選んで捨てる。",
            lambda c: "<u>召喚時</u>：あなたの墓地からユニット1枚を手札に加える。",
            lambda c: "<u>攻撃時</u>：このターン、相手のユニット1体のパワーを-%dする。" % hi(c * 500, 500, 3000),
            lambda c: "<u>起動</u>［あなたの他のユニット1体を破壊する］：このターン、このユニットのパワーを+2000する。",
        ],
        "spells": [
            ("死の宣告", 3, "パワー3000以下のユニット1体を破壊する。"),
            ("悪夢", 2, "相手は手札を1枚選んで捨てる。"),
            ("墓暴き", 2, "あなたの墓地からユニット1枚を手札に加える。"),
            ("闇の取引", 1, "あなたのユニット1体を破壊する。<br><u>そうしたなら</u>、カードを2枚引く。"),
            ("衰弱の呪い", 2, "このターン、相手のユニット1体のパワーを" + fc("purple", "-3000") + "する。"),
            ("魂の収穫", 5, "パワー5000以下のユニット1体を破壊する。<br>あなたのライフを2回復する。"),
            ("影の囁き", 1, "相手の手札を見る。その中から術式1枚を選び、捨てさせる。"),
            ("屍者の行進", 6, "あなたの墓地からユニットを2体まで場に出す。それらのパワーを-1000する。"),
            ("月蝕の夜", 7, "相手のユニットすべてのパワーを-2000する。<br>" + fc("purple", "<b>パワーが0以下になったユニットを破壊する。</b>")),
        ],
        "items": [
            ("呪いの仮面", 2, "<u>装備</u>：装備したユニットのパワーを+2000する。<br>あなたのターン開始時、あなたのライフを1失う。"),
            ("魂の砂時計", 3, "<u>起動</u>［この遺物を墓地に置く］：あなたの墓地からコスト3以下のユニット1体を場に出す。"),
            ("毒塗りの短剣", 1, "<u>装備</u>：装備したユニットがブロックしたユニットを、戦闘の後に破壊する。"),
            ("死者の書", 4, "あなたのユニットが破壊されるたび、カードを1枚引く。"),
        ],
        "fields": [
            ("忘れられた墓所", 3, "あなたのターン終了時、あなたの墓地からユニット1枚をランダムに選び、手札に加える。"),
            ("月蝕の祭壇", 4, "この結界がある限り、相手のユニットすべてのパワーを-500する。"),
        ],
        "quotes": [
            "夜が長いのではない。お前の灯が短いのだ。",
            "墓の下は静かだ。だから、わたしは時々起こしてやる。",
            "影は主人を選ばない。最後に立っていた者に従うだけだ。",
            "忘れられた名前ほど、強い呪いになる。",
            "黒い晶石は、光を吸い込んで決して返さない。",
            "契約書はよく読むことだ。特に、小さな文字を。",
            "月が欠けるたび、冥府の門は少しだけ開く。",
            "死は終わりではない。ただの配置換えだ。",
            "眠れ。目覚める必要など、もうないのだから。",
            "闇を恐れるな。闇はお前を恐れていない。",
            "代償は、いつも後からやってくる。",
            "墓石に刻まれた名は、いずれ誰にも読めなくなる。",
            "夢魔の囁きは甘い。だからこそ、毒なのだ。",
            "影に潜む者は、光の届く場所を誰よりもよく知っている。",
            "約束は守る。ただし、言葉どおりにな。",
            "静かな夜ほど、亡者たちはよく歌う。",
        ],
        "speakers": ["冥王ザルディオス", "月蝕の魔女ノクティア", "墓守の独り言", "闇商人の口癖"],
        "templates": [
            "%sが現れた村では、その夜から犬が吠えなくなった。",
            "月のない夜、%sは墓地の門をくぐる。",
            "「%sの名を三度呼んではいけない」――墓守の独り言",
            "%sの影だけが、月明かりの下に長く伸びていた。",
            "%sに出会った者は、誰もその顔を思い出せない。",
            "%sの通った道には、枯れた花だけが残る。",
        ],
    },
]

COLOUR_BY_NAME = {c["name"]: c for c in COLOURS}


def kws(*names):
    """Several keywords on one line."""
    return "　".join(kw(n) for n in names)


def kw(name, reminder=False, color=None):
    """A keyword ability in bold, with its reminder text when asked."""
    text = "<b>［%s］</b>" % name
    if reminder:
        rem = "<i>（%s）</i>" % KEYWORDS[name]
        text += fc(color, rem) if color else rem
    return text


# ---------------------------------------------------------------------------
# Hand-made cards: the rare characters of each colour and set.
# Fields: set, colour, name, race, cost, power, rarity, limit, text, flavour.
# ---------------------------------------------------------------------------

HAND_MADE = [
    # First expansion
    ("EV", "焔", "焔竜王ヴァルグレア", "竜族", 8, 9000, "SR", 1,
     kws("飛翔", "貫通") + "<br><u>召喚時</u>：相手のユニットすべてに" + fc("red", "<b>3000ダメージ</b>") + "を与える。"
     "<br><blocknote><font size=12><b>竜王の咆哮</b></font>　あなたのライフが5以下なら、このカードのコストは3少なくなる。</blocknote>"
     "<br><i>このカードはデッキに1枚までしか入れることができない。</i>",
     "<i>その翼がひとたび羽ばたけば、空は夕焼けよりも赤く染まる。</i>"),
    ("EV", "焔", "焔の巫女カグラ", "戦士", 3, 3000, "R", None,
     kw("疾風") + "<br><u>召喚時</u>：このターン、あなたの手札の" + fc("red", "焔") + "の術式すべてのコストを1少なくする。",
     "「火は怖くないよ。ちゃんと話しかければ、ちゃんと応えてくれる」"),
    ("EV", "潮", "海鳴りの女王ミナセア", "人魚", 7, 6000, "SR", None,
     kw("潜航") + "<br><u>召喚時</u>：" + fc("blue", "<b>相手のユニットすべてを持ち主の手札に戻す。</b>"),
     "<i>女王が歌えば海が鳴り、海が鳴れば船が消える。</i>"),
    ("EV", "潮", "潮読みの賢者オルヴェン", "術師", 4, 3000, "R", None,
     "<u>召喚時</u>：カードを2枚引く。<br>あなたの術式のコストは1少なくなる。",
     "「潮は嘘をつかない。嘘をつくのは、いつも潮を読む者のほうだ」"),
    ("EV", "翠", "森の母ナヴィエラ", "樹人", 6, 7000, "SR", None,
     kw("再生", True) + "<br>あなたの他の" + fc("green", "翠") + "のユニットすべてのパワーを+1000する。",
     "<i>森の木々はみな、彼女の子どもたちだ。</i>"),
    ("EV", "翠", "狩人の長ロウガ", "狩人", 3, 3500, "R", None,
     "<u>召喚時</u>：相手のユニット1体に、あなたの場の獣のユニットの数×1000ダメージを与える。",
     "「森で迷ったら、風下へ歩け。獲物も仲間も、そこにいる」"),
    ("EV", "煌", "暁の聖女リュミエル", "聖者", 5, 5000, "SR", None,
     kws("守護", "飛翔") + "<br><u>召喚時</u>：あなたのライフを" + fc("orange", "<b>5</b>") + "回復する。",
     "<i>彼女が祈りを終えると、長い夜が明けた。</i>"),
    ("EV", "煌", "白銀騎士団長アルベルク", "騎士", 4, 4500, "R", None,
     kw("守護", True, "gray") + "<br>あなたの他の騎士のユニットすべてのパワーを+1000する。",
     "「団員は一人も欠けさせない。それが団長の務めだ」"),
    ("EV", "冥", "冥王ザルディオス", "魔族", 8, 8000, "SR", 1,
     "<u>召喚時</u>：" + fc("purple", "<b>このユニット以外のユニットすべてを破壊する。</b>")
     + "<br><blocknote><font color=purple size=12><b>冥府の契約</b></font>　このユニットが破壊された時、あなたのライフは半分になる。<i>（端数は切り上げる。）</i></blocknote>"
     "<br><i>このカードはデッキに1枚までしか入れることができない。</i>",
     "<i>玉座の前では、王も奴隷も等しく静かになる。</i>"),
    ("EV", "冥", "月蝕の魔女ノクティア", "魔族", 4, 3000, "R", None,
     kw("吸魂") + "<br><u>召喚時</u>：相手の手札を見る。その中からカード1枚を選び、捨てさせる。",
     "「月が隠れている間だけ、わたしの声は誰にでも届くの」"),
    # Second expansion
    ("TW", "焔", "炎翼の不死鳥イグニス", "火精", 6, 6000, "SR", None,
     kw("飛翔") + "<br><u>破壊時</u>：あなたのターン終了時、墓地のこのカードを場に戻してもよい。"
     "<br><blocknote><font size=12><b>転生</b></font>　この効果で場に戻った時、相手のユニット1体に2000ダメージを与える。</blocknote>",
     "<i>灰は終わりではない。ただの休息だ。</i>"),
    ("TW", "焔", "紅蓮の双剣士レオハルト", "戦士", 4, 4000, "R", None,
     kw("疾風") + "<br>このユニットは1ターンに2回攻撃できる。",
     "「剣が二本あれば、迷う時間は半分で済む」"),
    ("TW", "潮", "大渦の主ガラドゥーン", "海獣", 8, 8500, "SR", None,
     kw("潜航") + "<br><u>攻撃時</u>：相手のユニット1体を持ち主の山札の一番下に置く。",
     "<i>船乗りたちは、その背中を島だと思って上陸した。</i>"),
    ("TW", "潮", "氷海の航海士ユキナ", "術師", 2, 2000, "R", None,
     "<u>召喚時</u>：あなたの山札の上から2枚を見て、1枚を手札に加え、残りを山札の下に置く。",
     "「海図にない海？　それなら、今から描けばいいだけよ」"),
    ("TW", "翠", "大地の守護者グランディオ", "樹人", 7, 9000, "SR", 1,
     kws("守護", "再生") + "<br>このユニットは術式の対象にならない。"
     "<br><blocknote><font color=darkgreen size=12><b>大地の加護</b></font>　あなたのターン開始時、あなたのライフを2回復する。</blocknote>"
     "<br><i>このカードはデッキに1枚までしか入れることができない。</i>",
     "<i>山が動いたのではない。山が目を覚ましたのだ。</i>"),
    ("TW", "翠", "群れなす晶蟻", "獣", 1, 1000, "C", 5,
     "このユニットのパワーは、あなたの場の他の「群れなす晶蟻」1体につき+500される。"
     "<br>" + fc("darkgreen", "<u>このカードはデッキに5枚まで入れることができる。</u>"),
     "一匹見かけたら、巣穴の奥には千匹いると思え。"),
    ("TW", "翠", "森の射手シルフィナ", "狩人", 3, 2500, "R", None,
     kw("貫通") + "<br><u>召喚時</u>：相手の" + kw("飛翔") + "を持つユニット1体を破壊する。",
     "「空を飛べば安全だなんて、誰が言ったの？」"),
    ("TW", "煌", "光翼の大天使セラフィナ", "天使", 7, 7000, "SR", 1,
     kws("飛翔", "守護") + "<br>あなたの他のユニットすべてのパワーを+1000し、<b>［飛翔］</b>を与える。"
     "<br><i>このカードはデッキに1枚までしか入れることができない。</i>",
     "<i>六枚の翼が開くとき、戦場から影が消える。</i>"),
    ("TW", "煌", "聖盾の騎士ガレット", "騎士", 3, 3500, "R", None,
     kw("守護") + "<br>このユニットがブロックした時、このターン、このユニットのパワーを+2000する。",
     "「通りたければ、まずこの盾を越えてみせよ」"),
    ("TW", "冥", "影の女王ヴェスペラ", "影精", 6, 5500, "SR", None,
     kws("潜航", "吸魂") + "<br><u>攻撃時</u>：相手のパワー4000以下のユニット1体を破壊する。",
     "<i>彼女の影に触れた者は、自分の影を失う。</i>"),
    ("TW", "冥", "屍術師の弟子ネロ", "死霊", 2, 1500, "R", None,
     "<u>起動</u>［このユニットを墓地に置く］：あなたの墓地からコスト4以下のユニット1体を場に出す。",
     "「師匠、また骨が一本足りないんですけど……」"),
]

# Card kinds per set and colour: how many of each are generated.
SET_PLAN = {
    "EV": {"crystal": 1, "units": 15, "spells": (0, 5), "items": (0, 2), "fields": (0, 1),
           "costs": [1, 1, 2, 2, 2, 3, 3, 4, 4, 5, 5, 6, 7, 2, 3]},
    "TW": {"crystal": 0, "units": 13, "spells": (5, 9), "items": (2, 4), "fields": (1, 2),
           "costs": [1, 2, 2, 3, 3, 4, 4, 5, 6, 7, 8, 3, 5]},
}


def make_card(set_info, colour, kind, name, race, cost, power, rarity, text, flavor, limit=None):
    return {
        "Set": set_info["name"], "_code": set_info["code"], "Color": colour["name"], "Kind": kind,
        "Name": name, "Race": race, "Cost": str(cost), "Power": power, "Rarity": rarity,
        "Text": text, "Flavor": flavor, "Limit": limit,
    }


class FlavorPicker:
    """Hands out flavour texts of one colour so that no two cards share one:
    units get a line built from their own name, other cards get a quote."""

    def __init__(self, colour, rng):
        self.colour = colour
        self.rng = rng
        self.quotes = list(colour["quotes"])
        rng.shuffle(self.quotes)
        self.templates = []

    def for_unit(self, name):
        if not self.templates:
            self.templates = list(self.colour["templates"])
            self.rng.shuffle(self.templates)
        return self.templates.pop() % name

    def for_other(self, name):
        if not self.quotes:
            return self.for_unit(name)
        quote = self.quotes.pop()
        if self.rng.random() < 0.5:
            speaker = self.rng.choice(self.colour["speakers"])
            return "「%s」――%s" % (quote.rstrip("。"), speaker)
        return "<i>%s</i>" % quote


# Order in which the abilities of a unit are printed: keywords, lasting
# abilities, then the triggered and activated ones.
ABILITY_ORDER = ["<b>", "", "<u>召喚時", "<u>攻撃時", "<u>破壊時", "<u>ターン終了時", "<u>起動"]


def ability_slot(text):
    for n, start in enumerate(ABILITY_ORDER):
        if start and text.startswith(start):
            return n
    return 1


def unit_text(colour, cost, rarity, rng):
    """Abilities of a generated unit, joined by line breaks. No two of them
    share a timing, so a card never reads 召喚時 twice."""
    count = {"C": 1, "U": 2, "R": 2}[rarity]
    if rarity == "R" and rng.random() < 0.5:
        count = 3
    parts = []
    if rng.random() < 0.55:
        name = rng.choice(colour["keywords"])
        parts.append(kw(name, reminder=(rarity == "C" and rng.random() < 0.6)))
    triggers = [t(cost) for t in colour["triggers"]]
    rng.shuffle(triggers)
    for text in triggers:
        if len(parts) >= count:
            break
        if ability_slot(text) > 1 and any(ability_slot(p) == ability_slot(text) for p in parts):
            continue
        parts.append(text)
    parts.sort(key=ability_slot)
    return "<br>".join(parts), len(parts)


def unit_power(colour, cost, abilities, rng):
    power = cost * 1000 + colour["bias"] - (abilities - 1) * 500 + rng.choice([-500, 0, 0, 500])
    return max(1000, min(9000, power))


def unit_rarity(cost, rng):
    roll = rng.random()
    if cost >= 6:
        return "R" if roll < 0.5 else "U"
    if cost >= 4:
        return "C" if roll < 0.4 else ("U" if roll < 0.85 else "R")
    return "C" if roll < 0.75 else "U"


def fits(size, cost):
    """Small creatures stay cheap and large ones expensive."""
    if size == 1:
        return cost <= 4
    if size == 3:
        return cost >= 5
    return True


def unit_name(colour, cost, taken, used_nouns, rng):
    """An epithet + creature name such as 紅蓮の幼竜 that suits the cost and
    is not taken yet; creatures used less often come first."""
    nouns = [n for n in colour["nouns"] if fits(n[2], cost)]
    rng.shuffle(nouns)
    nouns.sort(key=lambda n: used_nouns.get(n[0], 0))
    epithets = list(colour["epithets"])
    for noun, race, _ in nouns:
        rng.shuffle(epithets)
        for ep in epithets:
            name = ep + noun
            # skip pairs that repeat a character, such as 影縫いの影法師
            if set(ep.replace("の", "")) & set(noun) or name in taken:
                continue
            taken.add(name)
            used_nouns[noun] = used_nouns.get(noun, 0) + 1
            return name, race
    raise RuntimeError("no unit name left for " + colour["name"])


def build_cards():
    rng = random.Random(20240607)
    taken = set(s[2] for s in HAND_MADE)
    for colour in COLOURS:
        taken.update(n for n, _, _ in colour["spells"] + colour["items"] + colour["fields"])
        taken.add(colour["crystal"][0])
    flavor_pickers = {c["name"]: FlavorPicker(c, rng) for c in COLOURS}
    used_by_colour = {}

    sets = []
    for set_info in SETS:
        code = set_info["code"]
        plan = SET_PLAN[code]
        cards = []
        for colour in COLOURS:
            flavors = flavor_pickers[colour["name"]]
            # basic crystal
            if plan["crystal"]:
                cname, cflavor = colour["crystal"]
                text = ("<b>基本晶石</b><br>晶石置き場に置き、休ませることで"
                        + fc(colour["font"], colour["name"]) + "の晶力を1つ生み出す。"
                        "<br><i>このカードはデッキに10枚まで入れることができる。</i>")
                cards.append(make_card(set_info, colour, CRYSTAL, cname, "-", 0, "-", "C", text, cflavor, 10))
            # units: the hand-made ones plus generated ones
            units = []
            for s in HAND_MADE:
                if s[0] == code and s[1] == colour["name"]:
                    _, _, name, race, cost, power, rarity, limit, text, flavor = s
                    units.append(make_card(set_info, colour, UNIT, name, race, cost, str(power),
                                           rarity, text, flavor, limit))
            needed = plan["units"] - len(units)
            costs = plan["costs"][:needed]
            used_nouns = used_by_colour.setdefault(colour["name"], {})
            for cost in costs:
                name, race = unit_name(colour, cost, taken, used_nouns, rng)
                rarity = unit_rarity(cost, rng)
                text, abilities = unit_text(colour, cost, rarity, rng)
                power = unit_power(colour, cost, abilities, rng)
                units.append(make_card(set_info, colour, UNIT, name, race, cost, str(power),
                                       rarity, text, flavors.for_unit(name)))
            units.sort(key=lambda c: (int(c["Cost"]), int(c["Power"])))
            cards.extend(units)
            # spells, items and fields of this set
            for group, kind in (("spells", SPELL), ("items", ITEM), ("fields", FIELD)):
                lo, hi_ = plan[group]
                entries = sorted(colour[group][lo:hi_], key=lambda e: e[1])
                for name, cost, text in entries:
                    if kind == SPELL:
                        rarity = "R" if cost >= 6 else rng.choice(["C", "C", "U"])
                    elif kind == ITEM:
                        rarity = rng.choice(["C", "U", "U"])
                    else:
                        rarity = rng.choice(["U", "R"])
                    cards.append(make_card(set_info, colour, kind, name, "-", cost, "-",
                                           rarity, text, flavors.for_other(name)))
        for i, card in enumerate(cards, 1):
            card["No"] = "%s-%03d" % (code, i)
            if not card["No"].endswith("0"):  # every tenth card has no picture, to show how that looks
                card["Image"] = card["No"] + ".jpg"
            card["Illust"] = rng.choice(ILLUSTRATORS)
        sets.append((set_info, cards))
    return sets


# ---------------------------------------------------------------------------
# Writing
# ---------------------------------------------------------------------------

def write_lines(path, lines):
    data = "".join(line + "\r\n" for line in lines).encode(ENCODING)
    with open(path, "wb") as f:
        f.write(data)


def game_definition_lines():
    lines = [
        "[System]",
        "Name=" + GAME_NAME,
        "UniqueKey=No",
        "TextKey=Text,Flavor",
        "Version=100",
        "CardList=" + ",".join(CARD_FILES),
        "Image=" + IMAGE_ARCHIVE,
        "",
    ]
    for n, (key, name, ptype, width) in enumerate(PARAMS):
        lines += ["[Param%02d]" % n, "Key=" + key, "Name=" + name, "Type=%d" % ptype]
        if width is not None:
            lines.append("Width=%d" % width)
        lines.append("")
    for fmt, columns in (("CardListSection%02d", CARD_COLUMNS), ("DeckListSection%02d", DECK_COLUMNS)):
        for n, (key, width, name, visible) in enumerate(columns):
            lines += ["[" + fmt % n + "]", "Key=" + key, "Width=%d" % width,
                      "Name=" + name, "Visibled=%d" % visible, ""]
    for n, (name, total, item) in enumerate(DECK_LAYERS):
        lines += ["[DeckLayer%02d]" % n, "Name=" + name,
                  "TotalLimit=%d" % total, "ItemLimit=%d" % item, ""]
    return lines


CARD_KEYS = ["No", "Name", "Color", "Kind", "Race", "Cost", "Power", "Rarity", "Set",
             "Illust", "Text", "Flavor", "Image"]


def card_file_lines(set_info, cards, first_section):
    lines = ["; %s %s カードデータ" % (GAME_NAME, set_info["name"]), ""]
    for i, card in enumerate(cards):
        lines.append("[CardData%04d]" % (first_section + i))
        for key in CARD_KEYS:
            if key in card:
                lines.append("%s=%s" % (key, card[key]))
        if card["Limit"] is not None:
            lines.append("Limit=%d" % card["Limit"])
        lines.append("")
    return lines


# ---------------------------------------------------------------------------
# Checking what was written
# ---------------------------------------------------------------------------

PAIRED_TAGS = ("b", "i", "u", "font", "blocknote")
KNOWN_TAGS = set(PAIRED_TAGS) | {"br"}
COLOUR_NAMES = set(
    "black red orange pink yellow white purple gray blue green navy darkblue mediumblue "
    "darkgreen teal darkcyan deepskyblue darkturquoise mediumspringgreen lime springgreen aqua "
    "cyan midnightblue dodgerblue lightseagreen forestgreen seagreen darkslategray limegreen "
    "mediumseagreen turquoise royalblue steelblue darkslateblue mediumturquoise".split())


def check_markup(value, where, problems):
    """Tags must nest properly, name known tags and use only known colours."""
    stack = []
    for tag in re.findall(r"<([^<>]*)>", value):
        items = tag.replace(",", " ").split()
        if not items:
            problems.append("%s: empty tag" % where)
            continue
        name = items[0]
        for attr in items[1:]:
            if attr.startswith("color=") and attr[6:] not in COLOUR_NAMES:
                problems.append("%s: unknown colour %s" % (where, attr))
            if attr.startswith("size=") and not attr[5:].isdigit():
                problems.append("%s: bad size %s" % (where, attr))
        if name.startswith("/"):
            if not stack or stack[-1] != name[1:]:
                problems.append("%s: unbalanced </%s>" % (where, name[1:]))
            else:
                stack.pop()
        elif name not in KNOWN_TAGS:
            problems.append("%s: unknown tag <%s>" % (where, name))
        elif name in PAIRED_TAGS:
            stack.append(name)
    if stack:
        problems.append("%s: unclosed %s" % (where, stack))
    stripped = re.sub(r"<[^<>]*>", "", value)
    if "<" in stripped or ">" in stripped:
        problems.append("%s: stray angle bracket" % where)


def read_back(path):
    raw = open(path, "rb").read()
    problems = []
    if raw.startswith(b"\xef\xbb\xbf") or raw.startswith(b"\xff\xfe"):
        problems.append("%s: byte-order mark" % path)
    text = raw.decode(ENCODING)
    if not text.endswith("\r\n") or text.replace("\r\n", "").count("\n") or text.replace("\r\n", "").count("\r"):
        problems.append("%s: line ends are not all CR LF" % path)
    for n, line in enumerate(raw.split(b"\r\n"), 1):
        if len(line) >= 1000:
            problems.append("%s:%d: line of %d bytes" % (path, n, len(line)))
        if line != line.rstrip(b" \t"):
            problems.append("%s:%d: trailing blank" % (path, n))
    return text.split("\r\n")[:-1], problems


def parse_cards(lines):
    cards, card = [], None
    for line in lines:
        if line.startswith("[") and "]" in line:
            card = {} if "CardData" in line[1:line.index("]")] else None
            if card is not None:
                cards.append(card)
        elif card is not None and "=" in line:
            key, value = line.split("=", 1)
            card[key.rstrip(" \t")] = value.lstrip("= \t")
    return cards


def verify():
    problems = []
    ini_lines, p = read_back(os.path.join(OUT_DIR, "sample.ini"))
    problems += p
    sections = [l for l in ini_lines if l.startswith("[")]
    if "Name=" + GAME_NAME not in ini_lines:
        problems.append("sample.ini: game name missing")
    for n in range(len(PARAMS)):
        if "[Param%02d]" % n not in sections:
            problems.append("sample.ini: Param%02d missing" % n)
    types = set(p[2] for p in PARAMS)
    if not {0, 1, 2, 3} <= types:
        problems.append("sample.ini: not every parameter type is used")

    all_nos, names, counts = set(), set(), []
    param_keys = [p[0] for p in PARAMS]
    choice_keys = [p[0] for p in PARAMS if p[2] in (2, 3)]
    limits = []
    for set_info in SETS:
        lines, p = read_back(os.path.join(OUT_DIR, set_info["file"]))
        problems += p
        cards = parse_cards(lines)
        counts.append(len(cards))
        for card in cards:
            no = card.get("No", "")
            where = "%s %s" % (set_info["file"], no)
            if not re.fullmatch(r"[A-Z]{2}-\d{3}", no):
                problems.append("%s: bad card number" % where)
            if no in all_nos:
                problems.append("%s: card number used twice" % where)
            all_nos.add(no)
            if card.get("Name") in names:
                problems.append("%s: card name used twice" % where)
            names.add(card.get("Name"))
            for key in param_keys:
                if not card.get(key):
                    problems.append("%s: no value for %s" % (where, key))
            for key in choice_keys:
                if "<" in card.get(key, ""):
                    problems.append("%s: markup in %s" % (where, key))
            if card.get("Image", no + ".jpg") != no + ".jpg" or no.endswith("0") == ("Image" in card):
                problems.append("%s: image name" % where)
            for key, value in card.items():
                check_markup(value, "%s %s" % (where, key), problems)
            if "Limit" in card:
                limits.append((no, card["Name"], card["Limit"]))
    return problems, counts, limits


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    write_lines(os.path.join(OUT_DIR, "sample.ini"), game_definition_lines())
    section = 1
    for set_info, cards in build_cards():
        write_lines(os.path.join(OUT_DIR, set_info["file"]), card_file_lines(set_info, cards, section))
        section += len(cards)

    problems, counts, limits = verify()
    for set_info, count in zip(SETS, counts):
        print("%s: %d cards" % (set_info["file"], count))
    print("cards with their own Limit:")
    for no, name, limit in limits:
        print("  %s %s Limit=%s" % (no, name, limit))
    for problem in problems:
        print("PROBLEM: " + problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
