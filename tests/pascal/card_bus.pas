{ The emulated card's ports as the trap host and the checks both see them.
  Every port is a latch: a read gives the last value written to it or set by
  a check. Each access is traced in order. }
unit card_bus;

{$MODE OBJFPC}{$H+}

interface

const
  FirstPort = $300;
  LastPort = $31F;
  TraceLength = 256;

type
  TPortAccess = record
    Port: Word;
    Value: Byte;
    Written: Boolean;
  end;

  PCardBus = ^TCardBus;
  TCardBus = record
    Levels: array[FirstPort..LastPort] of Byte;
    Count: LongInt;  { accesses since the last Clear, also past TraceLength }
    Trace: array[0..TraceLength - 1] of TPortAccess;
  end;

function ReadPort(var Bus: TCardBus; Port: Word): Byte;
procedure WritePort(var Bus: TCardBus; Port: Word; Value: Byte);
procedure Clear(var Bus: TCardBus);

{ 'w309=60 r30D=FD r30C=02': the accesses since the last Clear. }
function TraceText(const Bus: TCardBus): string;

implementation

uses sysutils;

procedure Note(var Bus: TCardBus; Port: Word; Value: Byte; Written: Boolean);
begin
  if Bus.Count < TraceLength then
  begin
    Bus.Trace[Bus.Count].Port := Port;
    Bus.Trace[Bus.Count].Value := Value;
    Bus.Trace[Bus.Count].Written := Written;
  end;
  Inc(Bus.Count);
end;

function ReadPort(var Bus: TCardBus; Port: Word): Byte;
begin
  if (Port >= FirstPort) and (Port <= LastPort) then
    Result := Bus.Levels[Port]
  else
    Result := $FF;  { nothing answers there }
  Note(Bus, Port, Result, False);
end;

procedure WritePort(var Bus: TCardBus; Port: Word; Value: Byte);
begin
  if (Port >= FirstPort) and (Port <= LastPort) then
    Bus.Levels[Port] := Value;
  Note(Bus, Port, Value, True);
end;

procedure Clear(var Bus: TCardBus);
begin
  Bus.Count := 0;
end;

function TraceText(const Bus: TCardBus): string;
const
  Kind: array[Boolean] of Char = ('r', 'w');
var
  i: LongInt;
begin
  Result := '';
  for i := 0 to Bus.Count - 1 do
  begin
    if i > 0 then
      Result := Result + ' ';
    if i = TraceLength then
    begin
      Result := Result + Format('... (%d in all)', [Bus.Count]);
      Exit;
    end;
    with Bus.Trace[i] do
      Result := Result + Format('%s%.3X=%.2X', [Kind[Written], Port, Value]);
  end;
end;

end.
