{ The driver called by an independent compiler: Free Pascal's own register
  and stdcall calls through the novra3 unit, checked for results and for the
  port accesses they make on the emulated card. Built once per library
  (NOVRA3_REC for the build that names the sensors) and run by card_trap. }
library novra3_checks;

{$MODE OBJFPC}{$H+}

uses sysutils, card_bus, novra3;

var
  Bus: PCardBus;
  Passed: LongInt = 0;
  Failed: LongInt = 0;

procedure Check(Ok: Boolean; const What, Expected, Got: string);
begin
  if Ok then
    Inc(Passed)
  else
  begin
    Inc(Failed);
    WriteLn('FAIL ', What, ': expected ', Expected, ', got ', Got);
  end;
end;

procedure CheckInt(const What: string; Expected, Got: LongInt);
begin
  Check(Expected = Got, What, IntToStr(Expected), IntToStr(Got));
end;

{ Exact: each expected value is the double the library must return. }
procedure CheckDouble(const What: string; Expected, Got: Double);
begin
  Check(Expected = Got, What, FloatToStr(Expected), FloatToStr(Got));
end;

procedure CheckSingle(const What: string; Expected, Got: Single);
begin
  Check(Expected = Got, What, FloatToStr(Expected), FloatToStr(Got));
end;

procedure CheckText(const What: string; const Expected: AnsiString; Got: PAnsiChar);
begin
  Check(Expected = AnsiString(Got), What, '''' + Expected + '''', '''' + AnsiString(Got) + '''');
end;

{ The accesses since the last Clear, then starts a new trace. }
procedure CheckTrace(const What, Expected: string);
begin
  Check(Expected = TraceText(Bus^), What + ' ports', '[' + Expected + ']', '[' + TraceText(Bus^) + ']');
  Clear(Bus^);
end;

procedure SetLevel(Port: Word; Value: Byte);
begin
  Bus^.Levels[Port] := Value;
end;

function NotANumber: Double;
var
  Bits: QWord;
begin
  Bits := QWord($7FF8000000000000);
  Move(Bits, Result, SizeOf(Result));
end;

procedure CheckLoad;
begin
  CheckTrace('set-up at load',
    'w316=00 w314=00 w316=04 w317=00 w317=04 w30E=00 w30C=00 w30E=04 ' +
    'w30F=00 w30D=E0 w30F=04 w312=00 w310=FF w312=04 w313=00 w311=00 w313=04');
end;

procedure CheckIdentification;
begin
  CheckText('titre', 'NOVRA3 (et NOVRA4 ?)', titre);
  CheckText('stdtitre', 'NOVRA3 (et NOVRA4 ?)', stdtitre);
  CheckText('stddetail', AnsiString(detail), stddetail);
  Check(Pos('NOVRA3', AnsiString(detail)) > 0, 'detail', 'a text naming NOVRA3', AnsiString(detail));
  CheckTrace('identification', '');
end;

procedure CheckAnalogInputs;
begin
  SetLevel($30D, $FD);  { only bits 0 and 1 reach the result }
  SetLevel($30C, $02);
  CheckInt('ea(3)', 258, ea(3));
  CheckTrace('ea(3)', 'w309=60 r30D=FD r30C=02');
  CheckDouble('ead(9)', 0.258, ead(9));
  CheckTrace('ead(9)', 'w309=20 r30D=FD r30C=02');
  CheckInt('stdea(7)', 258, stdea(7));
  CheckTrace('stdea(7)', 'w309=E0 r30D=FD r30C=02');
  CheckDouble('stdead(2)', 0.258, stdead(2));
  CheckTrace('stdead(2)', 'w309=40 r30D=FD r30C=02');
  CheckSingle('stdeas(1)', Single(0.258), stdeas(1));
  CheckTrace('stdeas(1)', 'w309=20 r30D=FD r30C=02');
  CheckDouble('pead(0)^', 0.258, pead(0)^);
  CheckTrace('pead(0)', 'w309=00 r30D=FD r30C=02');
  CheckDouble('eadouble(2.5)', 0.258, eadouble(2.5));
  CheckTrace('eadouble(2.5)', 'w309=40 r30D=FD r30C=02');
  CheckDouble('stdeadouble(3.5)', 0.258, stdeadouble(3.5));
  CheckTrace('stdeadouble(3.5)', 'w309=80 r30D=FD r30C=02');

  CheckText('nea(0)', 'Connecteur A, voie 0', nea(0));
  CheckText('stdnea(1)', 'connecteur A, voie 1', stdnea(1));
  CheckText('nea(4)', '', nea(4));
  CheckTrace('nea', '');
end;

procedure CheckAnalogInputNames;
begin
{$IFDEF NOVRA3_REC}
  SetLevel($314, 18);
  SetLevel($315, 31);
  CheckText('nead(1)', 'thermom'#$E8'tre voie1', nead(1));
  CheckTrace('nead(1)', 'r314=12');
  CheckText('stdnead(2)', 'aucun voie0', stdnead(2));
  CheckTrace('stdnead(2)', 'r315=1F');
  SetLevel($314, 14);
  CheckText('neadouble(0.0)', '14  voie0', neadouble(0.0));
  CheckTrace('neadouble(0.0)', 'r314=0E');
  CheckText('stdneadouble(3.0)', 'aucun voie1', stdneadouble(3.0));
  CheckTrace('stdneadouble(3.0)', 'r315=1F');
{$ELSE}
  CheckText('nead(2)', 'connecteur B, voie 0', nead(2));
  CheckText('stdnead(3)', 'connecteur B, voie 1', stdnead(3));
  CheckText('neadouble(0.0)', 'Connecteur A, voie 0', neadouble(0.0));
  CheckText('stdneadouble(1.0)', 'connecteur A, voie 1', stdneadouble(1.0));
  CheckTrace('nead', '');
{$ENDIF}
  CheckText('nead(4)', '', nead(4));
  CheckText('stdnead(-1)', '', stdnead(-1));
  CheckTrace('nead out of range', '');
end;

procedure CheckAnalogOutput;
var
  Volts: Double;
  Cell: PDouble;
begin
  CheckInt('sa(0, 100)', 100, sa(0, 100));
  CheckTrace('sa(0, 100)', 'w310=64');
  CheckInt('rsa(0)', 100, rsa(0));
  CheckDouble('rsad(0)', 4.0, rsad(0));
  CheckInt('stdsa(0, 300)', 255, stdsa(0, 300));
  CheckTrace('stdsa(0, 300)', 'w310=FF');
  CheckInt('sa(1, 5)', NOVRA3_ERREUR_VOIE, sa(1, 5));
  CheckInt('rsa(1)', NOVRA3_ERREUR_VOIE, rsa(1));
  CheckTrace('sa(1, 5)', '');

  CheckDouble('sad(0, 5.0)', 5.0, sad(0, 5.0));
  CheckTrace('sad(0, 5.0)', 'w310=7D');
  CheckDouble('stdsad(0, 2.5)', 2.5, stdsad(0, 2.5));
  CheckTrace('stdsad(0, 2.5)', 'w310=3E');
  CheckInt('rsa(0) after stdsad', 62, rsa(0));
  CheckDouble('sad(0, 12.0)', 10.2, sad(0, 12.0));
  CheckTrace('sad(0, 12.0)', 'w310=FF');
  CheckDouble('sad(1, 1.0)', -777.0, sad(1, 1.0));
  CheckTrace('sad(1, 1.0)', '');

  { Two doubles: a swap would take the volts for the channel. }
  CheckDouble('sadouble(0.0, 1.0)', 1.0, sadouble(0.0, 1.0));
  CheckTrace('sadouble(0.0, 1.0)', 'w310=19');
  CheckDouble('sadouble(1.0, 0.0)', -777.0, sadouble(1.0, 0.0));
  CheckTrace('sadouble(1.0, 0.0)', '');
  CheckDouble('stdsadouble(0.0, 2.0)', 2.0, stdsadouble(0.0, 2.0));
  CheckTrace('stdsadouble(0.0, 2.0)', 'w310=32');
  CheckDouble('stdsadouble(1.0, 0.0)', -777.0, stdsadouble(1.0, 0.0));
  CheckTrace('stdsadouble(1.0, 0.0)', '');

  CheckSingle('stdsas(0, 5.0)', 5.0, stdsas(0, 5.0));
  CheckTrace('stdsas(0, 5.0)', 'w310=7D');
  CheckSingle('stdrsas(0)', 5.0, stdrsas(0));
  CheckDouble('stdrsad(0)', 5.0, stdrsad(0));
  CheckDouble('rsadouble(0.0)', 5.0, rsadouble(0.0));
  CheckDouble('stdrsadouble(1.0)', -777.0, stdrsadouble(1.0));

  Volts := 4.0;
  Cell := psad(0, @Volts);
  CheckDouble('psad(0, 4.0)^', 4.0, Cell^);
  CheckDouble('psad argument', 4.0, Volts);
  CheckTrace('psad(0, 4.0)', 'w310=64');

  CheckText('nsa(65536)', 'sortie analogique 0', nsa(65536));
  CheckText('stdnsa(65536)', 'sortie analogique 0', stdnsa(65536));
  CheckText('nsad(0)', 'sortie 0 (volts)', nsad(0));
  CheckText('stdnsad(1)', '', stdnsad(1));
  CheckText('nsadouble(0.0)', 'sortie 0 (volts)', nsadouble(0.0));
  CheckText('stdnsadouble(65536.0)', '', stdnsadouble(65536.0));
  CheckTrace('analog output names', '');
end;

procedure CheckLogic;
begin
  SetLevel($304, $05);
  CheckInt('eb(0)', 1, eb(0));
  CheckInt('eb(1)', 0, eb(1));
  CheckInt('stdeb(2)', 1, stdeb(2));
  CheckTrace('eb 0-2', 'r304=05 r304=05 r304=05');
  SetLevel($314, $80);
  CheckInt('eb(15)', 1, eb(15));
  CheckDouble('ebdouble(8.0)', 0.0, ebdouble(8.0));
  CheckDouble('stdebdouble(15.0)', 1.0, stdebdouble(15.0));
  CheckTrace('eb 8-15', 'r314=80 r314=80 r314=80');
  CheckInt('eb(16)', NOVRA3_ERREUR_VOIE, eb(16));
  CheckInt('stdeb(-1)', NOVRA3_ERREUR_VOIE, stdeb(-1));
  CheckDouble('ebdouble(16.0)', -777.0, ebdouble(16.0));
  CheckTrace('eb out of range', '');

  SetLevel($311, $00);
  CheckInt('sb(2, 1)', 201, sb(2, 1));
  CheckTrace('sb(2, 1)', 'r311=00 w311=10');
  CheckInt('stdsb(0, 1)', 1, stdsb(0, 1));
  CheckTrace('stdsb(0, 1)', 'r311=10 w311=11');
  CheckInt('rsb(2)', 1, rsb(2));
  CheckInt('stdrsb(0)', 1, stdrsb(0));
  CheckInt('rsb(1)', 0, rsb(1));
  SetLevel($311, $FF);
  CheckInt('stdsb(3, 0)', 300, stdsb(3, 0));
  CheckTrace('stdsb(3, 0)', 'r311=FF w311=DF');
  CheckInt('sb(4, 1)', NOVRA3_ERREUR_VOIE, sb(4, 1));
  CheckInt('stdsb(-1, 1)', NOVRA3_ERREUR_VOIE, stdsb(-1, 1));
  CheckInt('rsb(4)', NOVRA3_ERREUR_VOIE, rsb(4));
  CheckTrace('sb out of range', '');

  { Two doubles: a swap would switch output 1 with the value 3. }
  SetLevel($311, $00);
  CheckDouble('sbdouble(3.0, 1.0)', 301.0, sbdouble(3.0, 1.0));
  CheckTrace('sbdouble(3.0, 1.0)', 'r311=00 w311=20');
  CheckDouble('stdsbdouble(1.0, 1.0)', 101.0, stdsbdouble(1.0, 1.0));
  CheckTrace('stdsbdouble(1.0, 1.0)', 'r311=20 w311=22');
  CheckDouble('stdsbdouble(1.0, 3.0)', 103.0, stdsbdouble(1.0, 3.0));
  CheckTrace('stdsbdouble(1.0, 3.0)', 'r311=22 w311=20');
  CheckDouble('rsbdouble(3.0)', 1.0, rsbdouble(3.0));
  CheckDouble('stdrsbdouble(1.0)', 0.0, stdrsbdouble(1.0));
  CheckDouble('stdrsbdouble(4.0)', -777.0, stdrsbdouble(4.0));
  CheckTrace('rsbdouble', '');

  CheckText('neb(0)', 'entr'#$E9'e logique 0', neb(0));
  CheckText('stdneb(15)', 'entr'#$E9'e logique 15', stdneb(15));
  CheckText('nebdouble(16.0)', '', nebdouble(16.0));
  CheckText('stdnebdouble(1.0)', 'entr'#$E9'e logique 1', stdnebdouble(1.0));
  CheckText('nsb(7)', 'sortie logique 7', nsb(7));
  CheckText('stdnsb(8)', '', stdnsb(8));
  CheckText('nsbdouble(3.0)', 'sortie logique 3', nsbdouble(3.0));
  CheckText('stdnsbdouble(8.0)', '', stdnsbdouble(8.0));
  CheckTrace('logic names', '');
end;

{ Under Free Pascal's own x87 setting, invalid operation unmasked. }
procedure CheckRefusedDoubles;
begin
  CheckDouble('eadouble(NaN)', -777.0, eadouble(NotANumber));
  CheckDouble('stdsbdouble(NaN, 1.0)', -777.0, stdsbdouble(NotANumber, 1.0));
  CheckDouble('sbdouble(1e30, 1.0)', -777.0, sbdouble(1e30, 1.0));
  CheckText('stdnsbdouble(NaN)', '', stdnsbdouble(NotANumber));
  CheckTrace('refused doubles', '');
end;

function run_checks(TheBus: PCardBus): LongInt; stdcall;
begin
  Bus := TheBus;
  CheckLoad;
  CheckIdentification;
  CheckAnalogInputs;
  CheckAnalogInputNames;
  CheckAnalogOutput;
  CheckLogic;
  CheckRefusedDoubles;
  WriteLn(Passed, ' passed, ', Failed, ' failed');
  Result := Failed;
end;

exports
  run_checks;

end.
