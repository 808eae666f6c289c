#pragma once

#include <string_view>

// The worksheet formulas that lay the diagram out, as the data sheet receives them: R1C1 texts,
// character for character. They are kept together here, in the order they are written, so that
// the whole layout can be read and checked in one place; the steps only say where they go.
namespace kivo2d::formulas {

// One formula a line, as written; long lines are kept whole on purpose.
// clang-format off

// A formula text and the range it is written to. A target ending in a bare column ("E3:E") runs
// down to the last node row, which the step finds afresh.
struct FormulaWrite {
  std::string_view target;
  std::string_view r1c1;
};

// --- Hierarchy: path codes, level ordinals, child counts and slots (one row per node) ---

// Written with calculation manual, before the sentinel row.
inline constexpr FormulaWrite kHierarchyFirst[] = {
    {"E3:E", R"f(=IF(RC[-1]=0,0,CONCATENATE(RC[-1],IF(LEN(RC[-1])=1,"00000",IF(LEN(RC[-1])=2,"0000",IF(LEN(RC[-1])=3,"000",IF(LEN(RC[-1])=4,"00",IF(LEN(RC[-1])=5,"0"," "))))))))f"},
    {"F4:F", R"f(=IF(RC5=0,0,IF(VALUE(MID(RC5,2,1))=0,0,IF(VALUE(MID(RC5,2,1))=VALUE(MID(R[-1]C5,2,1)),R[-1]C,R[-1]C+1))))f"},
    {"G4:G", R"f(=IF(RC5=0,0,IF(VALUE(MID(RC5,3,1))=0,0,IF(VALUE(MID(RC5,3,1))=VALUE(MID(R[-1]C5,3,1)),R[-1]C,R[-1]C+1))))f"},
    {"H4:H", R"f(=IF(RC5=0,0,IF(VALUE(MID(RC5,4,1))=0,0,IF(VALUE(MID(RC5,4,1))=VALUE(MID(R[-1]C5,4,1)),R[-1]C,R[-1]C+1))))f"},
    {"I4:I", R"f(=IF(RC5=0,0,IF(VALUE(MID(RC5,5,1))=0,0,IF(VALUE(MID(RC5,5,1))=VALUE(MID(R[-1]C5,5,1)),R[-1]C,R[-1]C+1))))f"},
    {"J4:J", R"f(=IF(RC5=0,0,IF(VALUE(MID(RC5,6,1))=0,0,IF(VALUE(MID(RC5,6,1))=VALUE(MID(R[-1]C5,6,1)),R[-1]C,R[-1]C+1))))f"},
    {"K4:K", R"f(=IF(AND(RC[-3]=1,RC[-2]=0),COUNTIF(OFFSET(R4C6,MATCH(R4C6+RC[-5]-1,R4C6:R54C6,0)-1,1,MATCH(R4C6+RC[-5],R4C6:R54C6,0)-MATCH(R4C6+RC[-5]-1,R4C6:R54C6,0),1),RC[-4])-1,0))f"},
};

// The columns headed "MAX2" to "MAX5" share one text.
inline constexpr std::string_view kChildCount = R"f(=IF(AND(RC[-5]=0,R[1]C[-5]=0),0,IF(R[-1]C[-6]=RC[-6],R[-1]C,MAX(OFFSET(RC[-6],0,1,IF(ISNA(MATCH(RC[-6]+1,RC[-6]:R54C[-6],0)),MATCH(0,RC[-6]:R54C[-6],0),MATCH(RC[-6]+1,RC[-6]:R54C[-6],0))-1),1))))f";

// Written after the sentinel row.
inline constexpr FormulaWrite kHierarchySecond[] = {
    {"L4:L", kChildCount},
    {"M4:M", kChildCount},
    {"N4:N", kChildCount},
    {"O4:O", kChildCount},
    {"Q4:Q", R"f(=IF(RC[-10]=0,0,IF(RC[-10]=R[-1]C[-10],R[-1]C,IF(RC[4]=0,R[-1]C[9]+1,R[-1]C[9]+RC[4]+1))))f"},
    {"R4:R", R"f(=IF(RC[-10]=0,0,IF(ISEVEN(RC[-10]),0,IF(AND(RC[-9]=0,RC[-8]=0),1,IF(RC[-9]=R[-1]C[-9],R[-1]C,IF(RC[-3]>1,3,IF(RC[-3]=0,1,2))+IF(RC[-10]=R[-1]C[-10],R[-1]C,0))))))f"},
    {"S4:S", R"f(=IF(RC[-11]=0,0,IF(ISEVEN(RC[-11]),IF(AND(RC[-10]=0,RC[-9]=0),1,IF(RC[-10]=R[-1]C[-10],R[-1]C,IF(RC[-4]>1,3,IF(RC[-4]=0,1,2))+IF(RC[-11]=R[-1]C[-11],R[-1]C,0))),0)))f"},
    {"T4:T", R"f(=IF(RC[-13]=R[-1]C[-13],R[-1]C,MAX(OFFSET(RC[-13],0,11,MATCH(IF(RC[-13]=RC[-8],0,RC[-13]+1),RC[-13]:R54C[-13],0)-1))))f"},
    {"U4:U", R"f(=IF(RC[-14]=R[-1]C[-14],R[-1]C,MAX(OFFSET(RC[-14],0,12,MATCH(IF(RC[-14]=RC[-9],0,RC[-14]+1),RC[-14]:R54C[-14],0)-1))))f"},
    {"V4:V", R"f(=IF(RC[-14]=0,0,IF(RC[-14]>R[-1]C[-14],RC[-5]+IF(ISEVEN(RC[-14]),RC[-1]*-1,RC[-2]),R[-1]C)))f"},
    {"W4:W", R"f(=IF(RC[-14]=0,0,IF(RC[-14]=R[-1]C[-14],R[-1]C,RC[-6]+IF(ISEVEN(RC[-15]),(R[-1]C[-4]+IF(RC[-8]>0,1,0))*-1,R[-1]C[-5]+IF(RC[-8]>1,1,0))*RC[5])))f"},
    {"X4:X", R"f(=IF(RC[-14]=0,0,IF(ISEVEN(RC[-14]),RC[-1]-1,RC[-1]+1)))f"},
    {"Y4:Y", R"f(=IF(RC[-15]<>0,RC[-1],IF(RC[-16]<>0,RC[-2],IF(RC[-17]<>0,RC[-3],IF(RC[-18]<>0,RC[-8],0)))))f"},
    {"Z4:Z", R"f(=IF(RC[-19]=R[-1]C[-19],R[-1]C,MAX(OFFSET(RC[-19],0,18,MATCH(IF(RC[-19]=RC[-14],0,RC[-19]+1),RC[-19]:R54C[-19],0)-1))))f"},
    {"AA4:AA", R"f(=IF(RC[-21]=R[-1]C[-21],R[-1]C,MAX(OFFSET(RC[-21],0,20,MATCH(RC[-21]+1,RC[-21]:R54C[-21],0),1))+1))f"},
    {"AB4:AB", R"f(=IF(OR(RC[-14]=0,AND(RC[-20]=0,RC[-19]=0)),0,IF(RC[-20]=R[-1]C[-20],R[-1]C,IF(ISEVEN(RC[-20]),(RC[-7]+1)/(MAX(OFFSET(RC[-20],0,11,MATCH(IF(RC[-20]=RC[-15],0,RC[-20]+1),RC[-20]:R54C[-20],0)-1))+1),(RC[-8]+1)/(MAX(OFFSET(RC[-20],0,10,MATCH(IF(RC[-20]=RC[-15],0,RC[-20]+1),RC[-20]:R54C[-20],0)-1))+1)))))f"},
};

// The sentinel row's level ordinals 2 to 5.
inline constexpr std::string_view kZero = "0";

// --- Pareto table of the main causes (AN10:AS20) ---

inline constexpr FormulaWrite kParetoColumns[] = {
    {"AO12:AO20", R"f(=IF(AND(RC[-1]>1,R[-1]C=0),0,INDEX(R4C3:R53C3,MATCH(R3C6+RC[-1],R4C6:R53C6,0),1)))f"},
    {"AP12:AP20", R"f(=IF(AND(RC[-2]>1,R[-1]C=0),0,COUNTIF(R4C6:R53C6,RC[-2])-1))f"},
    {"AP10", R"f(=SUMIF(R[2]C:R[10]C,">0"))f"},
    {"AQ12:AQ20", R"f(=IF(AND(RC[-3]>1,R[-1]C=0),0,RC[-1]/R10C42))f"},
    {"AO10", R"f(=1/(LCM(RC[1],100)/100))f"},
    {"AQ10", R"f(=RC[-1]/(LCM(RC[-1],100)/100))f"},
};
inline constexpr std::string_view kParetoFirstOrdinal = "1";
inline constexpr std::string_view kCumulativeShare = R"f(=IF(AND(RC[-4]>1,R[-1]C=1),0,R[-1]C+RC[-1]))f";
inline constexpr std::string_view kMainCauseEntries = R"f(=9-SUM(COUNTIF(RC[-4]:R[8]C[-4],"#N/A"),COUNTIF(RC[-4]:R[8]C[-4],"<=0")))f";

// --- Top-three table of the second-level causes (AX11:BD37) ---

inline constexpr std::string_view kTopThreeFirstSerial = "1";
inline constexpr FormulaWrite kTopThreeFirstRow[] = {
    {"AY11", R"f(=IF(R[-1]C=0,R[-2]C+1,IF(AND(R[-3]C=R[-2]C,R[-2]C=R[-1]C),R[-1]C+1,R[-1]C)))f"},
    {"AZ11", R"f(=IF(R[-1]C=0,1,IF(R[-1]C=3,1,R[-1]C+1)))f"},
    {"BA11", R"f(=INDEX(R4C3:R54C3,MATCH(R3C6+RC[-2],R4C6:R54C6,0),1))f"},
    {"BD11", R"f(=IF(COUNTIF(OFFSET(R4C6,MATCH(R4C6+RC[-5]-1,R4C6:R54C6,0)-1,2,MATCH(R4C6+RC[-5],R4C6:R54C6,0)-MATCH(R4C6+RC[-5]-1,R4C6:R54C6,0),1),1)<RC[-4],-1,LARGE(COUNTIF(OFFSET(R4C6,MATCH(R4C6+RC[-5]-1,R4C6:R54C6,0)-1,1,MATCH(R4C6+RC[-5],R4C6:R54C6,0)-MATCH(R4C6+RC[-5]-1,R4C6:R54C6,0),1),{1,2,3,4,5,6,7,8,9}),RC[-4])-1))f"},
    {"BC11", R"f(=IF(RC[1]>0,RC[1],-1))f"},
    {"BB11", R"f(=IF(OR(COUNTIF(R4C6:R54C6,RC[-3])-RC[-2]<RC[-2]+1,RC[1]<0,RC[1]=" ")," ",OFFSET(INDIRECT(Weizhi(RC[1],OFFSET(R4C6,MATCH(R4C6+RC[-3]-1,R4C6:R54C6,0)-1,5,MATCH(R4C6+RC[-3],R4C6:R54C6,0)-MATCH(R4C6+RC[-3]-1,R4C6:R54C6,0),1),IF(RC[-2]=1,1,IF(RC[-2]=2,IF(R[-1]C[1]=RC[1],2,1),IF(AND(R[-2]C[1]=R[-1]C[1],R[-1]C[1]=RC[1]),3,IF(R[-1]C[1]=RC[1],2,1)))))),-1,-8,1,1)))f"},
};
inline constexpr std::string_view kCountAxisMaximum = R"f(=ABS(ROUNDUP(IF(MAX(OFFSET(RC[-1],0,0,RC[-11]*3,1))*1.5=0,1,MAX(OFFSET(RC[-1],0,0,RC[-11]*3,1))*1.5),0)))f";

// --- Bone coordinates (node row 4 and second row 5 of the first cause) ---

inline constexpr FormulaWrite kBoneFormulas[] = {
    {"AC4", R"f(=IF(ISEVEN(RC[-23]),100*(RC[-23]-1.5),100*(RC[-23]-1)))f"},
    {"AC5", R"f(=IF(ISEVEN(R[-1]C[-23]),100*(R[-1]C[-23]-1.5),100*(R[-1]C[-23]-1)))f"},
    {"AD4", R"f(=IF(RC[-24]=0,0,(100/RC[-3])*RC[-13]))f"},
    {"AD5", R"f(=IF(R[-1]C[-24]=0,0,(100/R[-1]C[-3])*R[-1]C[-13]))f"},
    {"AE4", R"f(=IF(RC[-23]=0,0,IF(ISEVEN(RC[-23]),(120/(RC[-18]*2))*(RC[-23]*2-2),(120/(RC[-18]*2))*(RC[-23]*2-1))))f"},
    {"AE5", R"f(=IF(R[-1]C[-23]=0,IF(R[-1]C[-24]=0,100,150),IF(ISEVEN(R[-1]C[-23]),(120/(R[-1]C[-18]*2))*(R[-1]C[-23]*2-2),(120/(R[-1]C[-18]*2))*(R[-1]C[-23]*2-1))))f"},
    {"AF4", R"f(=IF(RC[-24]=0,0,IF(RC[-23]=0,0,(100/RC[-5])*ABS(RC[-15]-IF(COUNTIF(RC[-26]:RC[-22],"<>0")=5,RC[-9],RC[-7])))))f"},
    {"AF5", R"f(=IF(R[-1]C[-24]=0,0,IF(AND(COUNTA(R[-1]C[-26]:R[-1]C[-22])=3,R[2]C[-23]=0),100/R[-1]C[-5],(100/R[-1]C[-5])*ABS(R[-1]C[-15]-IF(COUNTIF(R[-1]C[-26]:R[-1]C[-22],"<>0")=5,R[-1]C[-9],R[-1]C[-7])))))f"},
    {"AG4", R"f(=IF(RC[-24]=0,0,IF(RC[-23]=0,0,(150/(RC[-20]*2)*IF(RC[-20]=1,0.5,1.5))/((RC[-18]+1)*1.25)*RC[-23])))f"},
    {"AG5", R"f(=IF(R[-1]C[-24]=0,0,IF(R[-1]C[-23]=0,150/(R[-1]C[-20]*2)*IF(R[-1]C[-20]=1,0.5,1.5),(150/(R[-1]C[-20]*2)*IF(R[-1]C[-20]=1,0.5,1.5))/((R[-1]C[-18]+1)*1.25)*R[-1]C[-23])))f"},
    {"AH4", "x"},
    {"AH5", R"f(=IF(R[-1]C[-24]=0,0,100/(R[-1]C[-7]*IF(R[-1]C[-24]>2,POWER(2,IF(ISEVEN(R[-1]C[-24]),(R[-1]C[-24]-2)/2,(R[-1]C[-24]-1)/2)),1))))f"},
    {"AJ4", R"f(=RC[-7]+RC[-6]+RC[-5]+RC[-4]+RC[-3])f"},
    {"AJ5", R"f(=RC[-7]+RC[-6]+RC[-5]+RC[-4]+RC[-3]+RC[-2]*R[-1]C[-8])f"},
    {"AK4", R"f(=IF(RC[-30]=0,0,IF(COUNTIF(RC[-31]:RC[-27],"<>0")>=4,(100/RC[-10])*RC[-14],(100/RC[-10])*RC[-20]))*IF(ISEVEN(RC[-31]),-1,1))f"},
    {"AK5", R"f(=IF(R[-1]C[-30]=0,100,(100/R[-1]C[-10])*(R[-1]C[-12]-IF(RC[-3]>0,1,0))+RC[-3]*IF(AND(ISEVEN(R[-1]C[-27]),R[-1]C[-27]>2),IF(R[-1]C[-27]=4,3,IF(R[-1]C[-27]=6,7,15)),1))*IF(ISEVEN(R[-1]C[-31]),-1,1))f"},
};

// The head text box's cell, written as a value that is a formula.
inline constexpr std::string_view kHeadText = R"f(="问题:"& CHAR(10) & RC[-4] & CHAR(10) & "[原因总数合计："& COUNTA(R[1]C[-4]:R[740]C[-4]) & "个]")f";
inline constexpr std::string_view kXAxisMaximum = R"f(=MAX(R[1]C[-9]:R[720]C[-9])+50)f";

// clang-format on

}  // namespace kivo2d::formulas
