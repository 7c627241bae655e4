#include "tools/picture_generator/question_sources.h"

namespace kt::pictures {

namespace {

Spans text(std::string_view s) {
    return {{s}};
}

// "м/с²": the unit with a small raised 2.
Spans perSecondSquared(std::string_view number) {
    return {{number}, {"2", Face::Serif, true}};
}

// "v = ...": the variable in Book Antiqua italic, the equals sign in Times italic, and the
// spaces around the equals sign in Arial, as the formula editor set them.
Spans velocityEquals(std::string_view rightSide) {
    return {{"v", Face::BookItalic}, {" ", Face::Sans}, {"=", Face::SerifItalic}, {rightSide}};
}

constexpr std::array<int, 3> kBitmapBaselines = {16, 34, 52};

MetafileStatementLayout shortMetafile() {
    return {345, 1459, {90, 205, 320}};
}
MetafileStatementLayout tallMetafile() {
    return {351, 1486, {90, 205, 323}};
}

const GraphPalette kEarlyGraphs = {{254, 254, 254}, {0, 254, 0}, {0, 0, 0}, {128, 0, 254}};
const GraphPalette kLateGraphs = {{255, 255, 255}, {0, 255, 0}, {4, 4, 4}, {153, 0, 255}};

constexpr Axis kTenSeconds = {10, 2, 2};
constexpr Axis kFiveSeconds = {5, 1, 1};
constexpr Axis kFiveMetresPerSecond = {5, 1, 1};

} // namespace

const std::vector<StatementSource>& statementSources() {
    using enum PictureFormat;
    static const std::vector<StatementSource> sources = {
        {.window = "Form1",
         .fileName = "form1_picture1.bmp",
         .format = Bitmap,
         .number = "1.",
         .lines = {text("Какой из графиков (рис 1) соответствует равноускоренному движению тела,"),
                   text("при котором вектор ускорения направлен противоположно вектору скорости?")},
         .choices = {text("1"), text("2"), text("3")},
         .bitmap = {570, 53, kBitmapBaselines, {77, 220, 362}}},
        {.window = "Form2",
         .fileName = "form2_picture1.bmp",
         .format = Bitmap,
         .number = "2.",
         .lines = {text("По графику зависимости скорости от времени  (рис 2)"),
                   text("определите ускорение тела в момент времени t = 4с.")},
         .choices = {perSecondSquared("0,5 м/с"), perSecondSquared("4 м/с"),
                     perSecondSquared("0,8 м/с")},
         .bitmap = {444, 61, kBitmapBaselines, {79, 222, 364}}},
        {.window = "Form3",
         .fileName = "form3_picture1.emf",
         .format = Metafile,
         .number = "3.",
         .lines = {text("На каком из графиков (рис 3) представлено движение тела,"),
                   text("имеющего наибольшее ускорение?")},
         .choices = {text("1"), text("2"), text("3")},
         .metafile = shortMetafile()},
        {.window = "Form4",
         .fileName = "form4_picture1.emf",
         .format = Metafile,
         .number = "4.",
         .lines = {text("Какое из приведенных ниже уравнений описывает движение,"),
                   text("при котором скорость тела увеличивается?")},
         .choices = {velocityEquals(" 3 + 20t"), velocityEquals(" 3 - 2t"),
                     velocityEquals(" -3 + t")},
         .metafile = tallMetafile()},
        {.window = "Form5",
         .fileName = "form5_picture1.emf",
         .format = Metafile,
         .number = "5.",
         .lines = {text("По графику зависимости скорости от времени  (рис 4)"),
                   text("определите модуль перемещения тела за первые 4с его движения.")},
         .choices = {text("24 м"), text("48 м"), text("96 м")},
         .metafile = shortMetafile()},
        {.window = "Form6",
         .fileName = "form6_picture1.emf",
         .format = Metafile,
         .number = "6.",
         .lines = {text("На рисунке 5 приведен график зависимости скорости движения тела"),
                   text("от времени. Какое уравнение соответствует этому графику?")},
         .choices = {velocityEquals(" 3 + t"), velocityEquals(" 3 - t"), velocityEquals(" 3 - 3t")},
         .metafile = tallMetafile()},
        {.window = "Form7",
         .fileName = "form7_picture1.emf",
         .format = Metafile,
         .number = "7.",
         .lines = {{{"Какой из графиков (рис 6) соответствует уравнению скорости "},
                    {"v", Face::BookItalic},
                    {" ", Face::Sans},
                    {"=", Face::SerifItalic},
                    {" 2 – t?"}}},
         .choices = {text("1"), text("2"), text("3")},
         .metafile = {351, 1486, {93, 211}}},
        {.window = "Form8",
         .fileName = "form8_picture1.bmp",
         .format = Bitmap,
         .number = "8.",
         .lines = {text("Скорость поезда за 20с уменьшилась с 72 км/ч до 54 км/ч."),
                   text("Чему равно ускорение поезда при торможении?")},
         .choices = {perSecondSquared("1,5 м/с"), perSecondSquared("0,5 м/с"),
                     perSecondSquared("0,25 м/с")},
         .bitmap = {447, 63, kBitmapBaselines, {78, 221, 363}}},
        {.window = "Form9",
         .fileName = "form9_picture1.bmp",
         .format = Bitmap,
         .number = "9.",
         .lines = {text("После старта гоночный автомобиль достиг скорости 360 км/ч за 25с."),
                   text("Какое расстояние он прошел за это время?")},
         .choices = {text("1500 м"), text("500 м"), text("1250 м")},
         .bitmap = {510, 57, kBitmapBaselines, {83, 226, 368}}},
        {.window = "Form10",
         .fileName = "form10_picture1.bmp",
         .format = Bitmap,
         .number = "10.",
         .lines = {{{"Поезд, движущийся после начала торможения с ускорением 0,4 м/с"},
                    {"2", Face::Serif, true},
                    {","}},
                   text("через 25с остановился. Найдите скорость поезда в момент начала "
                        "торможения.")},
         .choices = {text("10 м/с"), text("20 м/с"), text("15 м/с")},
         .bitmap = {573, 62, kBitmapBaselines, {80, 223, 365}}},
    };
    return sources;
}

const std::vector<GraphSource>& graphSources() {
    using enum LabelPlace;
    static const std::vector<GraphSource> sources = {
        {.window = "Form1",
         .fileName = "form1_picture2.bmp",
         .width = 176,
         .height = 189,
         .palette = kEarlyGraphs,
         .time = kTenSeconds,
         .velocity = kFiveMetresPerSecond,
         .originX = 16,
         .originY = 138,
         .cellWidth = 24,
         .cellHeight = 23,
         .lines = {{0, 3, 10, 5, "1", RightOfEnd},
                   {0, 3, 10, 3, "2", RightOfEnd},
                   {0, 3, 10, 0, "3", AboveRightOfEnd}},
         .caption = "рис. 1"},
        {.window = "Form2",
         .fileName = "form2_picture2.bmp",
         .width = 165,
         .height = 173,
         .palette = kEarlyGraphs,
         .time = kTenSeconds,
         .velocity = kFiveMetresPerSecond,
         .originX = 16,
         .originY = 133,
         .cellWidth = 24,
         .cellHeight = 23,
         .lines = {{0, 2, 6, 5}},
         .caption = "рис.2"},
        {.window = "Form3",
         .fileName = "form3_picture2.bmp",
         .width = 168,
         .height = 172,
         .palette = kEarlyGraphs,
         .time = kTenSeconds,
         .velocity = kFiveMetresPerSecond,
         .originX = 16,
         .originY = 133,
         .cellWidth = 24,
         .cellHeight = 23,
         .lines = {{0, 3, 10, 3, "1", RightOfEnd},
                   {0, 0, 4, 5, "2", AboveEnd},
                   {0, 3, 10, 5, "3", RightOfEnd}},
         .caption = "рис.3"},
        {.window = "Form5",
         .fileName = "form5_picture2.bmp",
         .width = 147,
         .height = 149,
         .palette = kLateGraphs,
         .time = {4, 1, 2},
         .velocity = {10, 2, 4},
         .originX = 16,
         .originY = 131,
         .cellWidth = 24,
         .cellHeight = 22,
         .lines = {{0, 4, 4, 8}}},
        {.window = "Form6",
         .fileName = "form6_picture2.bmp",
         .width = 172,
         .height = 155,
         .palette = kLateGraphs,
         .time = kFiveSeconds,
         .velocity = kFiveMetresPerSecond,
         .originX = 16,
         .originY = 131,
         .cellWidth = 24,
         .cellHeight = 22,
         .lines = {{0, 3, 3, 0}}},
        {.window = "Form7",
         .fileName = "form7_picture2.bmp",
         .width = 165,
         .height = 153,
         .palette = kLateGraphs,
         .time = kFiveSeconds,
         .velocity = kFiveMetresPerSecond,
         .originX = 16,
         .originY = 131,
         .cellWidth = 23,
         .cellHeight = 22,
         .lines = {{0, 2, 2, 0, "1", AboveRightOfEnd},
                   {0, 2, 3, 5, "2", AboveEnd},
                   {0, 2, 5, 2, "3", RightOfEnd}}},
    };
    return sources;
}

} // namespace kt::pictures
