// author_profile.cpp: the author's profile. It is shown in a proportional font, so nothing in it
// lines up by counting spaces: headings stand in brackets, continued lines take one wide space.
#include "ui/texts.h"

namespace vennaloop {

const char* AuthorProfileText() {
  return R"PROFILE(著者経歴 / About the Author

名前: 凪沙 輪音 (なぎさ りんね)
Name: Rinne Nagisa
屋号: Nagisa Loop Works
Works on: Vennaloop, and too many unfinished mazes
Motto: 「迷ったら、裏返せ。」 (When lost, turn it over.)


【はじめに / Foreword】

この文章は、Vennaloop を作った人間が
自分のことを少しだけ書いたものです。
読まなくてもゲームは遊べます。
読んでもゲームは上手くなりません。
それでもよければ、スクロールしてください。

This is a short (well, not so short) note about
the person who made this game. You can play
without reading it. Reading it will not make you
any better at the game. Scroll on if you like.


【少年時代 / Early Days】

海の見える小さな町で生まれる。
父は船の機関士、母は町の図書館の司書。
図書館の奥の棚で、迷路の本を見つけたのが
たぶん全ての始まり。

5歳: 方眼紙に最初の迷路を描く。
　入口と出口を書き忘れる。
7歳: 迷路の裏側にも道を描き、
　「紙の裏とつながっている」と主張。
　誰にも理解されない。
9歳: メビウスの帯を作って感動する。
　三日間、帯の上を鉛筆でなぞり続ける。
11歳: 学校の掲示板に迷路を貼り出す。
　先生に「出口がない」と言われる。
　出口は反対側の端から入るのだと説明。
　やはり理解されない。

I was the kid who handed out mazes instead of
birthday cards. Most of them had no exit. The
ones that did had it on the back of the paper.


【学生時代 / School Years】

中学: 電卓のプログラム機能で
　数当てゲームを作る。
　授業中に遊んでいて電卓を没収される。
高校: 図書室のパソコンで BASIC を覚える。
　最初の作品は、画面の端から出ると
　反対側の端から戻ってくる蛇のゲーム。
　トーラスという言葉はまだ知らなかった。
大学: 数学科に入学。
　位相幾何の講義で射影平面に出会う。
　「端から出ると、鏡に映って戻ってくる」
　その一文で、残りの人生の方向が決まる。
卒論: 「格子上の迷路と曲面の分類について」
　指導教官のコメント:
　"Interesting. Please add an exit."

At university I learned that the snake game I
wrote in high school was running on a torus.
Then I learned about the projective plane, and
I have not been able to stop thinking about it.


【職歴 / Career】

1年目: 地方のソフトハウスに就職。
　伝票処理のプログラムを書く。
　伝票は迷路より複雑だと知る。
3年目: 物流倉庫の経路計算を担当。
　フォークリフトの最短経路を求める。
　倉庫の端と端はつながっていなかった。
5年目: 組み込み機器の部署へ異動。
　メモリ 64 KB の世界を知る。
　65,536 という数字が好きになる。
7年目: 退職。理由は
　「迷路を作る時間がほしい」
8年目: 個人で Nagisa Loop Works を始める。
　最初の一年の売り上げは、ほぼゼロ。
9年目: 受託の仕事で食いつなぐ。
　夜は迷路、昼はデータベース。

Job titles I have held, in order:
programmer, senior programmer,
"the person who knows the old code",
and finally "self-employed maze person".


【作品 / Works】

Paper Maze Collection (手描き, 未発表)
　方眼紙のノート 23 冊分。
　実家の押し入れに眠っている。

Torus Snake (高校時代)
　端から出ると反対側から戻る蛇。
　当時のフロッピーは行方不明。

Warehouse Router (仕事)
　最短経路を求める業務用プログラム。
　今もどこかの倉庫で動いているらしい。

Kleinweg (試作, 未完成)
　クラインの壺の上の迷路。
　描画で頭が壊れそうになり中断。

Vennaloop (本作)
　射影平面の上で育つ迷路。
　君は射影平面をみたか。


【Vennaloop ができるまで / Making of Vennaloop】

最初に決めたのは、次の三つだけでした。

1. 迷路は遊んでいる間に育つこと。
2. 端を越えると、鏡に映って戻ること。
3. 画面の外にも世界が続いて見えること。

The maze grows while you play, sixteen steps
every tick, from your start room outward until
it reaches every room. I wanted the player to
feel the maze being built around them, not to
receive a finished puzzle.

The edges are glued with a twist. Walk off the
top and you come back at the bottom, mirrored.
Your left becomes your right. That is why the
arrow keys swap when you cross a seam, and why
the Space key is there to set them straight.

The screen shows copies of the square around
it, turned over as the gluing says, so that
every two cells side by side are neighbours.
It took me a month to get the corners right.
The last bug was a single row of pillars.

エイリアンは 30 体。
多すぎると遊べず、少なすぎると寂しい。
何度も数を変えて、30 に落ち着きました。

ヒットポイントは 20。
これも同じように決めました。


【好きなもの / Favourite Things】

・方眼紙 (5 mm 方眼に限る)
・緑色の画面 (the wall colour is no accident)
・図書館の奥の棚
・夜中のコンパイル
・回送列車
・紙を一回ひねって貼ること
・海沿いの道を歩くこと
・古い電卓
・65,536 という数
・向かい側の部屋 (the opposite room)
・「出口はどこ？」と聞かれること


【苦手なもの / Not So Fond Of】

・出口が一つしかない会議
・左右を間違える自分
・上下も間違える自分
・「それ、何の役に立つの？」という質問
・締め切り (特に他人が決めたもの)


【一日の過ごし方 / A Typical Day】

06:30 起床。海まで散歩。
08:00 コーヒー。昨夜のバグを思い出す。
09:00 受託の仕事。
12:00 昼食。だいたい麺類。
13:00 受託の仕事、続き。
17:00 散歩、二回目。迷路のことを考える。
19:00 夕食。
20:00 Vennaloop の時間。
01:00 そろそろ寝ようと思う。
02:30 実際に寝る。


【よくある質問 / Frequently Asked Questions】

Q. 射影平面って何ですか？
A. 端から出ると、鏡に映った位置に戻ってくる
平らな世界です。遊べば分かります。たぶん。

Q. Why is the goal on the opposite side?
A. Because on this plane, "opposite" is the
farthest you can go. Or the nearest.
It depends on which way you walk.

Q. ゴールが見えているのに、たどり着けません。
A. 迷路がまだ育っていないのかもしれません。
少し待つか、S キーで一気に育ててください。

Q. Can I win without losing a hit point?
A. I have done it twice. Good luck.

Q. このゲームで時間はつぶせますか？
A. You can at least kill time.

Q. Is there an end?
A. Playing time never ends.


【これからの予定 / What's Next】

・クラインの壺の迷路を、今度こそ完成させる。
・方眼紙のノートを 24 冊目に進める。
・迷路が育つ速さを、もう少し選べるようにしたい。
・海の見える部屋で、もう一本ゲームを作る。

Some day the maze may grow on a sphere with a
handle or two. For now, one twisted plane is
more than enough to get lost in.


【遊び方のヒント / Hints】

・矢印キーで走ると、分かれ道で止まる。
・N キーで廊下を走り、R キーで止まる。
・F キーの放浪者は、気の向くままに歩く。
・W キーの探検家は、五つの分かれ道を覚えている。
・S キーで、迷路を一気に育てる。
・Space キーで、左右と上下の入れ替えを元に戻す。

If the arrow keys feel backwards, you have crossed
a seam. Press Space and they are yours again.


【謝辞 / Thanks】

・最初の迷路を褒めてくれた図書館の母へ。
・出口のない迷路に付き合ってくれた友人たちへ。
・"Please add an exit." と書いてくれた先生へ。
・遊んでくれている、あなたへ。

Thank you for walking these corridors.
If you found the goal, congratulations.
If you did not, the maze will grow again.


【連絡先 / Contact】

Nagisa Loop Works
凪沙 輪音 (Rinne Nagisa)

手紙は届きません。迷路の中なので。
Letters will not arrive. I live in the maze.


(C) 2025 Rinne Nagisa / Nagisa Loop Works
)PROFILE";
}

}  // namespace vennaloop
