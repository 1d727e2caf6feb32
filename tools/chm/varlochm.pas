{ Builds VARLO.CHM, the game's help file, from the help project in resources/help.

    varlochm PROJECT.hhp OUTPUT.CHM

  The project is an .hhp file of the usual form, in UTF-8: [OPTIONS] (Title,
  Default topic, Contents file, Index file, Language, Default Window, Default Font),
  [WINDOWS], [FILES], [MAP] ("#define NAME NUMBER") and [ALIAS] (NAME=topic).
  The files are written with Free Pascal's CHM writer (unit chmwriter).

  Why not the stock project compiler: it stores the topics of the context
  numbers with the absolute path of the build folder, which HTML Help cannot
  open. This builder stores them as the relative names of the [ALIAS] section,
  for example "howtoplay.htm".

  HTML Help reads the table of contents, the index and the titles in the code
  page of the file's language, so for Japanese (Language=0x411) they are
  converted from UTF-8 to Shift-JIS (code page 932) here; the pages themselves
  are stored as they are (UTF-8, with their charset meta). A text that has no
  Shift-JIS form is an error, not a question mark. }
program varlochm;

{$mode objfpc}{$H+}

uses
  cwstring,  { code page conversions through the C library's iconv }
  Classes, SysUtils, contnrs, chmwriter, chmtypes;

type
  ShiftJisString = type AnsiString(932);
  EProject = class(Exception);

  { One build: the project's sections, and the writer's callbacks. }
  TBuild = class
    ProjectDir: String;
    Sections: TFPHashObjectList;  { section name (upper case) -> TStringList of its lines }
    Options: TStringList;         { [OPTIONS] as name=value }
    Writer: TChmWriter;
    Contents, Index: TMemoryStream;  { in Shift-JIS; nil when the project has none }
    constructor Create(const ProjectFile: String);
    destructor Destroy; override;
    function Section(const Name: String): TStringList;
    function Option(const Name: String): String;
    procedure Write(const OutputFile: String);
    function GetFileData(const DataName: String; out PathInChm: String;
      out FileName: String; var Stream: TStream): Boolean;
    procedure AddLastFiles(Sender: TObject);
    function ShiftJisFile(const OptionName: String): TMemoryStream;
    procedure AddContexts;
  end;

{ The UTF-8 text in Shift-JIS; an error if a character has no Shift-JIS form.
  The bytes are labelled with the program's own code page, so that the
  writer's strings take them as they are, whatever the locale. }
function ToShiftJis(const Utf8Text, What: String): RawByteString;
var
  Wide: UnicodeString;
  Converted: ShiftJisString;
begin
  Wide := UTF8Decode(Utf8Text);
  Converted := Wide;  { unmappable characters become '?' here }
  if UnicodeString(Converted) <> Wide then
    raise EProject.CreateFmt('%s: a character has no Shift-JIS form', [What]);
  Result := Converted;
  SetCodePage(Result, DefaultSystemCodePage, False);
end;

{ "0x411 Japanese": the number before the name is the LCID. }
function LanguageId(const Language: String): LongWord;
var
  Words: TStringArray;
  Value: LongInt;
begin
  Words := Language.Split([' '], TStringSplitOptions.ExcludeEmpty);
  if (Length(Words) = 0) or (LowerCase(Copy(Words[0], 1, 2)) <> '0x')
     or not TryStrToInt('$' + Copy(Words[0], 3, MaxInt), Value) then
    raise EProject.CreateFmt('Language: "%s" does not begin with a number like 0x411', [Language]);
  Result := Value;
end;

{ A context number: decimal digits, or hexadecimal after 0x. }
function ContextNumber(const Text: String; out Number: LongWord): Boolean;
var
  Digits: String;
  Value: Int64;
  I: Integer;
begin
  Result := False;
  if LowerCase(Copy(Text, 1, 2)) = '0x' then begin
    Digits := Copy(Text, 3, MaxInt);
    for I := 1 to Length(Digits) do
      if not (Digits[I] in ['0'..'9', 'a'..'f', 'A'..'F']) then Exit;
    Digits := '$' + Digits;
  end else begin
    Digits := Text;
    for I := 1 to Length(Digits) do
      if not (Digits[I] in ['0'..'9']) then Exit;
  end;
  if (Length(Digits) = 0) or (Length(Digits) > 10) or not TryStrToInt64(Digits, Value) or (Value > High(LongWord)) then Exit;
  Number := Value;
  Result := True;
end;

{ A topic name as HTML Help wants it inside the file: relative, with forward slashes. }
function CheckedTopic(const Topic, What: String): String;
begin
  Result := StringReplace(Trim(Topic), '\', '/', [rfReplaceAll]);
  if (Result = '') or (Result[1] = '/') or (Pos(':', Result) > 0) or (Pos('..', Result) > 0) then
    raise EProject.CreateFmt('%s: "%s" is not a relative topic name', [What, Topic]);
end;

constructor TBuild.Create(const ProjectFile: String);
var
  Lines: TStringList;
  Line: String;
  Current: TStringList;
  I: Integer;
begin
  ProjectDir := IncludeTrailingPathDelimiter(ExtractFilePath(ExpandFileName(ProjectFile)));
  Sections := TFPHashObjectList.Create(True);
  Lines := TStringList.Create;
  try
    Lines.LoadFromFile(ProjectFile);
    Current := nil;
    for I := 0 to Lines.Count - 1 do begin
      Line := Trim(Lines[I]);
      if (Line = '') or (Line[1] = ';') then Continue;
      if (Line[1] = '[') and (Line[Length(Line)] = ']') then begin
        Current := TStringList.Create;
        Sections.Add(UpperCase(Copy(Line, 2, Length(Line) - 2)), Current);
      end else if Current = nil then
        raise EProject.CreateFmt('%s, line %d: text before the first section', [ProjectFile, I + 1])
      else
        Current.Add(Line);
    end;
  finally
    Lines.Free;
  end;
  Options := Section('OPTIONS');
end;

destructor TBuild.Destroy;
begin
  Contents.Free;
  Index.Free;
  Sections.Free;
  inherited Destroy;
end;

{ The lines of a section; an empty list for a section the project lacks. }
function TBuild.Section(const Name: String): TStringList;
begin
  Result := TStringList(Sections.Find(Name));
  if Result = nil then begin
    Result := TStringList.Create;
    Sections.Add(Name, Result);
  end;
end;

function TBuild.Option(const Name: String): String;
begin
  Result := Trim(Options.Values[Name]);
end;

{ The writer asks for each name of FilesToCompress in turn: the file is read
  from the project folder and stored at the top of the help file. }
function TBuild.GetFileData(const DataName: String; out PathInChm: String;
  out FileName: String; var Stream: TStream): Boolean;
begin
  TMemoryStream(Stream).LoadFromFile(ProjectDir + DataName);
  PathInChm := '/' + ExtractFilePath(DataName);
  FileName := ExtractFileName(DataName);
  Result := False;  { True would stop the writer }
end;

{ The UTF-8 file that the option names (table of contents, index), in
  Shift-JIS; nil if the option is not given. }
function TBuild.ShiftJisFile(const OptionName: String): TMemoryStream;
var
  Name: String;
  Source: TFileStream;
  Text, Bytes: RawByteString;
begin
  Name := Option(OptionName);
  if Name = '' then Exit(nil);
  Source := TFileStream.Create(ProjectDir + Name, fmOpenRead or fmShareDenyWrite);
  try
    SetLength(Text, Source.Size);
    if Length(Text) > 0 then Source.ReadBuffer(Text[1], Length(Text));
  finally
    Source.Free;
  end;
  Bytes := ToShiftJis(Text, Name);
  Result := TMemoryStream.Create;
  if Length(Bytes) > 0 then Result.WriteBuffer(Bytes[1], Length(Bytes));
  Result.Position := 0;
end;

{ The context numbers: [MAP] gives each name its number, [ALIAS] its topic.
  The topic must be one of the files of the help file. }
procedure TBuild.AddContexts;
var
  Map, Alias, Files: TStringList;
  Seen: array of LongWord;
  Words: TStringArray;
  I, J: Integer;
  Number: LongWord;
  Name, Topic: String;
begin
  Map := Section('MAP');
  Alias := Section('ALIAS');
  Files := Section('FILES');
  Seen := nil;
  for I := 0 to Map.Count - 1 do begin
    Words := Map[I].Split([' ', #9], TStringSplitOptions.ExcludeEmpty);
    if (Length(Words) <> 3) or (Words[0] <> '#define') or not ContextNumber(Words[2], Number) then
      raise EProject.CreateFmt('[MAP]: "%s" is not "#define NAME NUMBER"', [Map[I]]);
    for J := 0 to High(Seen) do
      if Seen[J] = Number then raise EProject.CreateFmt('[MAP]: context %d is given twice', [Number]);
    SetLength(Seen, Length(Seen) + 1);
    Seen[High(Seen)] := Number;
    Name := Words[1];
    if Alias.IndexOfName(Name) < 0 then
      raise EProject.CreateFmt('[MAP]: %s has no topic in [ALIAS]', [Name]);
    Topic := CheckedTopic(Alias.Values[Name], '[ALIAS] ' + Name);
    if Files.IndexOf(Topic) < 0 then
      raise EProject.CreateFmt('[ALIAS] %s: %s is not in [FILES]', [Name, Topic]);
    Writer.AddContext(Number, Topic);
  end;
end;

{ Called by the writer after the last page: the table of contents and the
  index follow the pages. }
procedure TBuild.AddLastFiles(Sender: TObject);
begin
  if Contents <> nil then Writer.AppendTOC(Contents);
  if Index <> nil then Writer.AppendIndex(Index);
end;

procedure TBuild.Write(const OutputFile: String);
var
  Output: TFileStream;
  Windows: TObjectList;
  Window: TCHMWindow;
  Files: TStringList;
  I: Integer;
begin
  Files := Section('FILES');
  if Files.Count = 0 then raise EProject.Create('[FILES] is empty');
  for I := 0 to Files.Count - 1 do begin
    CheckedTopic(Files[I], '[FILES]');
    if not FileExists(ProjectDir + Files[I]) then
      raise EProject.CreateFmt('[FILES]: %s does not exist', [ProjectDir + Files[I]]);
  end;

  Contents := ShiftJisFile('Contents file');
  Index := ShiftJisFile('Index file');
  Windows := TObjectList.Create(True);
  Output := TFileStream.Create(OutputFile, fmCreate);
  Writer := TChmWriter.Create(Output, False);
  try
    { Each [WINDOWS] line is name="title","contents","index","default","home",
      ..., navigation pane style, its width, buttons, [position], ...: the
      window's caption is shown in the file's code page too. }
    for I := 0 to Section('WINDOWS').Count - 1 do begin
      Window := TCHMWindow.Create(Section('WINDOWS')[I]);
      Window.Title_bar_text := ToShiftJis(Window.Title_bar_text, '[WINDOWS] title');
      Windows.Add(Window);
    end;
    Writer.Windows := Windows;  { the writer keeps copies }
    Writer.DefaultWindow := Option('Default Window');
    Writer.Title := ToShiftJis(Option('Title'), 'Title');
    Writer.DefaultPage := CheckedTopic(Option('Default topic'), 'Default topic');
    Writer.TOCName := Option('Contents file');
    Writer.IndexName := Option('Index file');
    Writer.LocaleID := LanguageId(Option('Language'));
    Writer.DefaultFont := ToShiftJis(Option('Default Font'), 'Default Font');
    Writer.FullTextSearch := False;  { its word index splits on spaces: useless for Japanese }
    Writer.FilesToCompress.AddStrings(Files);
    Writer.OnGetFileData := @GetFileData;
    Writer.OnLastFile := @AddLastFiles;
    AddContexts;  { the writer lays out the context map before it takes the pages }
    Writer.Execute;
  finally
    Writer.Free;
    Output.Free;
    Windows.Free;
  end;
end;

var
  Build: TBuild;
begin
  if ParamCount <> 2 then begin
    WriteLn(StdErr, 'usage: varlochm PROJECT.hhp OUTPUT.CHM');
    Halt(2);
  end;
  try
    Build := TBuild.Create(ParamStr(1));
    try
      Build.Write(ParamStr(2));
    finally
      Build.Free;
    end;
  except
    on E: Exception do begin
      WriteLn(StdErr, 'varlochm: ', E.Message);
      DeleteFile(ParamStr(2));  { no half-written help file is left behind }
      Halt(1);
    end;
  end;
end.
